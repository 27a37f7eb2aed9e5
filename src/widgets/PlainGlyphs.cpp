#include "widgets/PlainGlyphs.h"

#include <QFontInfo>
#include <QGlyphRun>
#include <QHash>
#include <QPaintDevice>
#include <QPaintEngine>
#include <QPainter>
#include <algorithm>
#include <cmath>

TPlainGlyphs TPlainGlyphs::make(const QFont& font)
{
    TPlainGlyphs t;
    t.font = font;
    t.raw = QRawFont::fromFont(font);
    if (!t.raw.isValid())
        return t;
    QString printable;
    for (char16_t c = 0x20; c < 0x7F; ++c)
        printable += QChar(c);
    const QList<quint32> glyphs = t.raw.glyphIndexesForString(printable);
    if (glyphs.size() != printable.size())
        return t;
    const QList<QPointF> advances = t.raw.advancesForGlyphIndexes(glyphs);
    t.complete = advances.size() == glyphs.size();
    for (qsizetype i = 0; i < glyphs.size() && t.complete; ++i) {
        // A character the face lacks would need a fallback face: such text
        // goes the long way.
        t.complete = glyphs[i] != 0 || i == 0;
        t.glyphs[size_t(i)] = glyphs[i];
        t.advances[size_t(i)] = advances[i].x();
        const QRectF ink = t.raw.boundingRect(glyphs[i]);
        if (!ink.isEmpty()) {
            const qreal reach = std::max(-ink.left(), ink.right() - advances[i].x());
            t.overhang = std::max(t.overhang, int(std::ceil(reach)));
        }
    }
    // A pixel more for where the rasteriser rounds a glyph's position.
    t.overhang += 1;
    return t;
}

bool TPlainGlyphs::isPrintable(QStringView text)
{
    return std::all_of(text.cbegin(), text.cend(),
                       [](QChar c) { return c.unicode() >= 0x20 && c.unicode() < 0x7F; });
}

namespace {

// Flags that change nothing for one line of printable text without '&'.
constexpr int plainFlags = Qt::AlignLeft | Qt::AlignRight | Qt::AlignHCenter | Qt::AlignTop |
                           Qt::AlignBottom | Qt::AlignVCenter | Qt::AlignAbsolute |
                           Qt::TextSingleLine | Qt::TextDontClip | Qt::TextExpandTabs |
                           Qt::TextShowMnemonic | Qt::TextHideMnemonic |
                           Qt::TextForceLeftToRight;

bool plainFace(const QFont& f)
{
    return !f.underline() && !f.strikeOut() && !f.overline() && f.wordSpacing() == 0 &&
           f.capitalization() == QFont::MixedCase &&
           (f.stretch() == QFont::AnyStretch || f.stretch() == QFont::Unstretched) &&
           (f.letterSpacingType() == QFont::PercentageSpacing
                ? (f.letterSpacing() == 0 || f.letterSpacing() == 100)
                : f.letterSpacing() == 0) &&
           QFontInfo(f).fixedPitch();
}

// The faces the program draws readouts in are few; each is looked at once.
// Every readout drawn asks, so the asking must cost next to nothing: a font
// compares and hashes by what it asks for, where its key() would spell the
// whole font out as text each time.
struct FaceKey
{
    QFont font;
    int dpi = 0;
    bool operator==(const FaceKey& o) const { return dpi == o.dpi && font == o.font; }
};

size_t qHash(const FaceKey& k, size_t seed = 0) noexcept
{
    return qHashMulti(seed, k.font, k.dpi);
}

const TPlainGlyphs* glyphsFor(const QFont& font, int dpi)
{
    struct Entry
    {
        bool usable = false;
        TPlainGlyphs glyphs;
    };
    static QHash<FaceKey, Entry> faces;
    const FaceKey key{font, dpi};
    auto it = faces.constFind(key);
    if (it == faces.constEnd()) {
        if (faces.size() > 64)
            faces.clear();
        Entry e;
        if (plainFace(font)) {
            e.glyphs = TPlainGlyphs::make(font);
            e.usable = e.glyphs.complete;
        }
        it = faces.insert(key, e);
    }
    return it->usable ? &it->glyphs : nullptr;
}

} // namespace

bool drawPlainText(QPainter* painter, const QRect& rect, int flags, const QString& text)
{
    if (text.isEmpty() || (flags & ~plainFlags) || !TPlainGlyphs::isPrintable(text) ||
        text.contains(QLatin1Char('&')))
        return false;
    if (!(flags & Qt::TextForceLeftToRight) && painter->layoutDirection() == Qt::RightToLeft)
        return false;
    QPaintEngine* engine = painter->paintEngine();
    if (!engine || engine->type() != QPaintEngine::Raster ||
        painter->transform().type() > QTransform::TxTranslate)
        return false;
    const TPlainGlyphs* t = glyphsFor(painter->font(), painter->device()->logicalDpiY());
    if (!t)
        return false;

    // Where a laid-out line would stand: as wide as its advances, blanks
    // included, and as high as the face's ascent and descent.
    qreal aligned = 0;
    for (QChar c : text)
        aligned += t->advance(c);
    const qreal height = t->raw.ascent() + t->raw.descent();
    qreal x = rect.x();
    if (flags & Qt::AlignRight)
        x += rect.width() - aligned;
    else if (flags & Qt::AlignHCenter)
        x += (rect.width() - aligned) / 2;
    qreal y = rect.y();
    if (flags & Qt::AlignBottom)
        y += rect.height() - height;
    else if (flags & Qt::AlignVCenter)
        y += (rect.height() - height) / 2;
    // Text that would be cut at the rectangle's edge is clipped there: the
    // long way does that.
    if (!(flags & Qt::TextDontClip) &&
        !QRectF(rect).contains(QRectF(x, y, aligned, height)))
        return false;

    QList<quint32> glyphs;
    QList<QPointF> positions;
    glyphs.reserve(text.size());
    positions.reserve(text.size());
    qreal at = x;
    for (QChar c : text) {
        glyphs.append(t->glyph(c));
        positions.append(QPointF(at, 0));
        at += t->advance(c);
    }
    QGlyphRun run;
    run.setRawFont(t->raw);
    run.setGlyphIndexes(glyphs);
    run.setPositions(positions);
    painter->drawGlyphRun(QPointF(0, y + t->raw.ascent()), run);
    return true;
}
