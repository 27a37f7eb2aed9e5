#include "vren1/HD_Glyphs.h"

#include <QImage>
#include <QPixmap>
#include <gtest/gtest.h>

#include <tuple>

namespace {

// The program-button glyphs come from the program's bitmap resources under
// their designed names, one shared set per size.
TEST(HdGlyphs, TheGlyphsAreTheNamedBitmapResources)
{
    const struct
    {
        THdGlyph glyph;
        const char* small;
        const char* large;
        QRgb centre;
    } glyphs[] = {
        {THdGlyph::Yellow, ":/BMYELLOW14", ":/BMYELLOW", qRgb(255, 255, 0)},
        {THdGlyph::Black, ":/BMBLACK14", ":/BMBLACK", qRgb(0, 0, 0)},
        {THdGlyph::Green, ":/BMGREEN14", ":/BMGREEN", qRgb(0, 200, 0)},
        {THdGlyph::Red, ":/BMRED14", ":/BMRED", qRgb(255, 0, 0)},
    };
    for (const auto& g : glyphs) {
        // Loading the set registers the resources.
        const QIcon& small = HdGlyphIcon(g.glyph, 14);
        const QIcon& large = HdGlyphIcon(g.glyph, 20);
        for (const auto& [name, pixels, icon] :
             {std::tuple{g.small, 14, &small}, std::tuple{g.large, 20, &large}}) {
            const QImage resource = QImage(QString::fromLatin1(name));
            ASSERT_FALSE(resource.isNull()) << name;
            EXPECT_EQ(resource.size(), QSize(pixels, pixels)) << name;
            // The lamp's colour below its highlight; transparent corners.
            EXPECT_EQ(resource.pixel(pixels / 2, pixels * 3 / 4) & 0xFFFFFF, g.centre & 0xFFFFFF)
                << name;
            EXPECT_EQ(qAlpha(resource.pixel(0, 0)), 0) << name;
            // What the buttons show is the resource as it stands.
            const QImage asPixmap = QPixmap(QString::fromLatin1(name)).toImage();
            EXPECT_EQ(icon->pixmap(pixels, pixels).toImage(), asPixmap) << name;
            EXPECT_EQ(icon->pixmap(QSize(pixels, pixels), QIcon::Disabled).toImage(), asPixmap)
                << name << " keeps its colour when disabled";
        }
        // One shared set: the same icon each time.
        EXPECT_EQ(&HdGlyphIcon(g.glyph, 14), &small);
        EXPECT_EQ(&HdGlyphIcon(g.glyph, 20), &large);
    }
}

} // namespace
