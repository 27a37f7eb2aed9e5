#pragma once

#include "protocol/hd/HdAeData.h"

#include <QByteArray>
#include <QString>

// The pictures an HD unit passes on from the broadcast, JPEG and PNG, decoded
// into RGBA. The bytes come off the air: a picture larger than the cap is
// refused from its header, before any pixel buffer exists, and a broken file
// is an error result, never an exit or a crash.
//
// Decoding runs inside the frame's timer tick, so the caps bound how long one
// picture can hold up every connection: a station logo or artist-experience
// image is a few hundred pixels a side and a handful of scans, while a small
// file that claims thousands of pixels, or hundreds of progressive scans, costs
// seconds of CPU.
constexpr int HdImageMaxSide = 640;
constexpr int HdJpegMaxScans = 64;

struct THdImageResult
{
    bool ok = false;
    THdPicture picture;
    QString error; // why it was refused, when not ok
};

THdImageResult DecodeHdJpeg(const QByteArray& bytes);
THdImageResult DecodeHdPng(const QByteArray& bytes);
