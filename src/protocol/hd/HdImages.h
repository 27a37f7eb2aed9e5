#pragma once

#include "protocol/hd/HdAeData.h"

#include <QByteArray>
#include <QString>

// The pictures an HD unit passes on from the broadcast, JPEG and PNG, decoded
// into RGBA. The bytes come off the air: a picture larger than the cap is
// refused from its header, before any pixel buffer exists, and a broken file
// is an error result, never an exit or a crash.

constexpr int HdImageMaxSide = 4096;
constexpr int HdJpegMaxScans = 300; // a progressive file can otherwise take seconds

struct THdImageResult
{
    bool ok = false;
    THdPicture picture;
    QString error; // why it was refused, when not ok
};

THdImageResult DecodeHdJpeg(const QByteArray& bytes);
THdImageResult DecodeHdPng(const QByteArray& bytes);
