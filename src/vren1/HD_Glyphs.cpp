#include "vren1/HD_Glyphs.h"

#include <QAbstractButton>
#include <QPainter>
#include <QPixmap>
#include <QVariant>
#include <array>

namespace {

QColor fillOf(THdGlyph g)
{
    switch (g) {
    case THdGlyph::Yellow:
        return QColor(255, 255, 0);
    case THdGlyph::Black:
        return QColor(0, 0, 0);
    case THdGlyph::Green:
        return QColor(0, 200, 0);
    case THdGlyph::Red:
        return QColor(255, 0, 0);
    }
    return Qt::black;
}

// A round lamp with a grey rim and a small highlight, so the black one still
// reads as a lamp that is off.
QIcon drawGlyph(THdGlyph g, int pixels)
{
    QPixmap pm(pixels, pixels);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF r(1, 1, pixels - 2, pixels - 2);
    p.setPen(QPen(QColor(96, 96, 96), 1));
    p.setBrush(fillOf(g));
    p.drawEllipse(r);
    if (g != THdGlyph::Black) {
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(255, 255, 255, 110));
        p.drawEllipse(QRectF(pixels * 0.28, pixels * 0.22, pixels * 0.28, pixels * 0.22));
    }
    p.end();
    QIcon icon;
    icon.addPixmap(pm, QIcon::Normal);
    icon.addPixmap(pm, QIcon::Disabled); // a disabled button keeps its colour
    return icon;
}

using GlyphSet = std::array<QIcon, 4>;

GlyphSet* makeSet(int pixels)
{
    auto* set = new GlyphSet;
    for (int i = 0; i < 4; ++i)
        (*set)[size_t(i)] = drawGlyph(THdGlyph(i), pixels);
    return set;
}

} // namespace

QString HdGlyphName(THdGlyph g)
{
    switch (g) {
    case THdGlyph::Yellow:
        return QStringLiteral("yellow");
    case THdGlyph::Black:
        return QStringLiteral("black");
    case THdGlyph::Green:
        return QStringLiteral("green");
    case THdGlyph::Red:
        return QStringLiteral("red");
    }
    return {};
}

const QIcon& HdGlyphIcon(THdGlyph g, int pixels)
{
    // Made on first use and deliberately never freed: every panel and window
    // of every connection shares them for as long as the program runs.
    static GlyphSet* const small = makeSet(14);
    static GlyphSet* const large = makeSet(20);
    const GlyphSet& set = pixels >= 20 ? *large : *small;
    return set[size_t(int(g))];
}

void SetHdGlyph(QAbstractButton* button, THdGlyph g, int pixels)
{
    const QString name = HdGlyphName(g);
    if (button->property("glyph").toString() == name)
        return;
    button->setProperty("glyph", name);
    button->setIcon(HdGlyphIcon(g, pixels));
}

THdProgramGlyphs HdProgramGlyphs(qint32 programsMask, qint32 currentProgram, qint32 selection)
{
    THdProgramGlyphs out{};
    for (int n = 0; n < 8; ++n) {
        out.available[n] = (programsMask >> n) & 1;
        out.glyph[n] = out.available[n] ? THdGlyph::Yellow : THdGlyph::Black;
    }
    for (int n = 0; n < 8; ++n) {
        if (selection == (1 << n)) {
            out.glyph[n] = (currentProgram & selection) ? THdGlyph::Green : THdGlyph::Red;
            break;
        }
    }
    return out;
}
