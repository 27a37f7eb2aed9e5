#pragma once

#include <QFont>
#include <QList>
#include <QPointF>
#include <QRawFont>
#include <QString>
#include <array>

class QPainter;
class QRect;

// Text drawn the short way. A line of printable ASCII in a fixed-pitch face
// needs no shaping (no kerning, no ligatures, no fallback face): each
// character maps straight to its glyph and the glyphs stand at the face's
// advances. Laying text out costs more than drawing it, and readouts and
// dumps are drawn anew with every block.
struct TPlainGlyphs
{
    QFont font;
    QRawFont raw;
    std::array<quint32, 95> glyphs{};
    std::array<qreal, 95> advances{};
    // Every printable character has a glyph of the face itself.
    bool complete = false;
    // How far any glyph's ink may reach past its cell, in whole pixels.
    int overhang = 0;

    static TPlainGlyphs make(const QFont& font);
    static bool isPrintable(QStringView text);
    qreal advance(QChar c) const { return advances[size_t(c.unicode() - 0x20)]; }
    quint32 glyph(QChar c) const { return glyphs[size_t(c.unicode() - 0x20)]; }
};

// Draws text in rect as painter->drawText(rect, flags, text) does, pixel for
// pixel, the short way. Returns false, having drawn nothing, when the text,
// the painter's font or the flags need the text laid out (more than one line,
// other characters, a proportional face, wrapping, a mnemonic, text that
// would be clipped ...).
bool drawPlainText(QPainter* painter, const QRect& rect, int flags, const QString& text);
