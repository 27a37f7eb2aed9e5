#pragma once

#include <QFont>

// The bold fixed-pitch face of the instrument readouts. Sized in pixels, so
// a field of n characters takes the same room on every screen and the
// panels' fixed layouts hold.
QFont FixedPitchBoldFont(int pixelSize);
