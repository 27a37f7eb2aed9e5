#include "vren1/HD_Glyphs.h"

#include <QAbstractButton>
#include <QPixmap>
#include <QVariant>
#include <array>

// The glyphs live in the static library's resources, which are registered
// only when asked for.
static void initGlyphResources()
{
    Q_INIT_RESOURCE(tolvex);
}

namespace {

// The resource names: "BMYELLOW14" ... for the panel's 14-pixel glyphs,
// "BMYELLOW" ... for the 20-pixel ones of program select.
QString resourceName(THdGlyph g, int pixels)
{
    const char* colour = "";
    switch (g) {
    case THdGlyph::Yellow:
        colour = "BMYELLOW";
        break;
    case THdGlyph::Black:
        colour = "BMBLACK";
        break;
    case THdGlyph::Green:
        colour = "BMGREEN";
        break;
    case THdGlyph::Red:
        colour = "BMRED";
        break;
    }
    return QStringLiteral(":/") + colour + (pixels >= 20 ? "" : "14");
}

QIcon loadGlyph(THdGlyph g, int pixels)
{
    const QPixmap pm(resourceName(g, pixels));
    QIcon icon;
    icon.addPixmap(pm, QIcon::Normal);
    icon.addPixmap(pm, QIcon::Disabled); // a disabled button keeps its colour
    return icon;
}

using GlyphSet = std::array<QIcon, 4>;

GlyphSet* makeSet(int pixels)
{
    initGlyphResources();
    auto* set = new GlyphSet;
    for (int i = 0; i < 4; ++i)
        (*set)[size_t(i)] = loadGlyph(THdGlyph(i), pixels);
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
    // Loaded on first use and deliberately never freed: every panel and window
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
