#include "widgets/FixedFont.h"

QFont FixedPitchBoldFont(int pixelSize)
{
    // "Courier" is what the readouts were designed in; where it is missing the
    // style hint and fixed-pitch request pick the system's monospace face.
    QFont f(QStringLiteral("Courier"));
    f.setStyleHint(QFont::TypeWriter, QFont::PreferMatch);
    f.setFixedPitch(true);
    f.setBold(true);
    f.setPixelSize(pixelSize);
    return f;
}
