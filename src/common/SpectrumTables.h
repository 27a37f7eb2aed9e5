#pragma once

#include <QStringList>

// The resolution steps of the spectrum pages as the instruments name them,
// indexed by the value the unit stores.

// Vertical resolution: 0..7 are 0.1 dB .. 0.8 dB per division.
const QStringList& VerticalResolutionTexts();
// Horizontal resolution of the RF page: 25 Hz .. 2.5 kHz.
const QStringList& RfHorizontalResolutionTexts();
// Horizontal resolution of the composite page: 5 Hz .. 250 Hz.
const QStringList& CompositeHorizontalResolutionTexts();
// Horizontal resolution of the audio page: 1 Hz .. 50 Hz.
const QStringList& AudioHorizontalResolutionTexts();
