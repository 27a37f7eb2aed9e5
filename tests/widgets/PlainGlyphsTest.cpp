// Text drawn the short way must be the text the painter lays out, pixel for
// pixel, or not drawn at all.
#include "widgets/FixedFont.h"
#include "widgets/PlainGlyphs.h"
#include "widgets/ProgramStyle.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QImage>
#include <QLabel>
#include <QPainter>
#include <QStyleFactory>
#include <gtest/gtest.h>
#include <memory>

namespace {

QImage canvas()
{
    QImage image(220, 60, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::black);
    return image;
}

} // namespace

TEST(PlainGlyphs, DrawsWhatTheLaidOutTextDraws)
{
    QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    QFont boldFixed = fixed;
    boldFixed.setPointSize(9);
    boldFixed.setBold(true);
    const QFont fonts[] = {fixed, boldFixed, FixedPitchBoldFont(14), FixedPitchBoldFont(19)};
    const int flagsList[] = {
        Qt::AlignLeft | Qt::AlignVCenter,
        Qt::AlignRight | Qt::AlignVCenter | Qt::TextForceLeftToRight,
        Qt::AlignHCenter | Qt::AlignVCenter,
        Qt::AlignLeft | Qt::AlignTop,
        Qt::AlignRight | Qt::AlignBottom,
        Qt::AlignHCenter | Qt::AlignBottom | Qt::TextShowMnemonic,
    };
    const QRect rects[] = {QRect(3, 4, 200, 30), QRect(10, 7, 181, 27), QRect(0, 0, 217, 55)};
    const char* texts[] = {"  +0.4 dB", "PEAK 118.0%", "Ph     0.0 ", "x", "Checksums =  $1A2B   $FFFF"};
    int drawnCount = 0;
    for (const QFont& font : fonts) {
        for (int flags : flagsList) {
            for (const QRect& rect : rects) {
                for (const char* text : texts) {
                    SCOPED_TRACE(testing::Message() << font.toString().toStdString() << " flags "
                                                    << flags << " " << text << " at " << rect.x()
                                                    << "," << rect.y() << " " << rect.width()
                                                    << "x" << rect.height());
                    QImage laidOut = canvas();
                    QImage shortWay = canvas();
                    {
                        QPainter p(&laidOut);
                        p.setFont(font);
                        p.setPen(Qt::yellow);
                        p.drawText(rect, flags, text);
                    }
                    bool drawn = false;
                    {
                        QPainter p(&shortWay);
                        p.setFont(font);
                        p.setPen(Qt::yellow);
                        drawn = drawPlainText(&p, rect, flags, text);
                    }
                    if (!drawn) {
                        // Only text the rectangle cuts is left to the layout.
                        const QFontMetricsF metrics(font);
                        EXPECT_TRUE(metrics.horizontalAdvance(text) > rect.width() ||
                                    metrics.height() > rect.height());
                        continue;
                    }
                    ++drawnCount;
                    ASSERT_EQ(shortWay, laidOut);
                }
            }
        }
    }
    EXPECT_GT(drawnCount, 300);
}

// What the short way cannot draw as the layout would, it leaves alone.
TEST(PlainGlyphs, LeavesToTheLayoutWhatNeedsIt)
{
    const QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    QFont proportional("DejaVu Sans");
    proportional.setStyleHint(QFont::SansSerif);
    QFont underlined = fixed;
    underlined.setUnderline(true);
    const QRect rect(0, 0, 220, 60);
    const struct
    {
        const char* what;
        QFont font;
        int flags;
        QString text;
    } cases[] = {
        {"two lines", fixed, Qt::AlignLeft, "one\ntwo"},
        {"a mnemonic", fixed, Qt::AlignLeft | Qt::TextShowMnemonic, "&Pause"},
        {"beyond ASCII", fixed, Qt::AlignLeft, QString::fromUtf8("25 \xC2\xB5s")},
        {"a tab", fixed, Qt::AlignLeft, "a\tb"},
        {"wrapping", fixed, Qt::AlignLeft | Qt::TextWordWrap, "a b"},
        {"cut at the edge", fixed, Qt::AlignLeft, QString(200, QLatin1Char('8'))},
        {"a proportional face", proportional, Qt::AlignLeft, "AVAVAV To"},
        {"an underline", underlined, Qt::AlignLeft, "12.5"},
        {"nothing", fixed, Qt::AlignLeft, QString()},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        if (QString(c.what) == "a proportional face" && QFontInfo(c.font).fixedPitch())
            continue; // no proportional face on this machine
        QImage image = canvas();
        const QImage blank = image;
        QPainter p(&image);
        p.setFont(c.font);
        p.setPen(Qt::white);
        EXPECT_FALSE(drawPlainText(&p, rect, c.flags, c.text));
        p.end();
        EXPECT_EQ(image, blank);
    }
}

// A readout label of the program looks as the platform's style draws it.
TEST(PlainGlyphs, ALabelOfTheProgramLooksAsThePlatformDrawsIt)
{
    std::unique_ptr<QStyle> platform(QStyleFactory::create("Fusion"));
    TProgramStyle program(QStyleFactory::create("Fusion"));
    const struct
    {
        QString text;
        Qt::Alignment align;
        bool enabled;
    } labels[] = {
        {" +30.4 dB", Qt::AlignRight | Qt::AlignVCenter, true},
        {"Block Num = 12", Qt::AlignLeft | Qt::AlignVCenter, true},
        {"PEAK 118.0%", Qt::AlignCenter, true},
        {"RMS -120.1dB", Qt::AlignRight | Qt::AlignVCenter, false},
    };
    for (const auto& l : labels) {
        SCOPED_TRACE(l.text.toStdString());
        QLabel label(l.text);
        label.setFont(FixedPitchBoldFont(14));
        label.setAlignment(l.align);
        label.setEnabled(l.enabled);
        QPalette p = label.palette();
        p.setColor(QPalette::WindowText, Qt::yellow);
        p.setColor(QPalette::Window, Qt::black);
        label.setPalette(p);
        label.setAutoFillBackground(true);
        label.resize(160, 25);
        label.setStyle(platform.get());
        const QImage theirs = label.grab().toImage();
        label.setStyle(&program);
        EXPECT_EQ(label.grab().toImage(), theirs);
    }
}
