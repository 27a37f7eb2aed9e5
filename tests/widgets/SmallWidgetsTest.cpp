#include "widgets/FixedFont.h"
#include "widgets/Lamp.h"
#include "widgets/ReadoutLabel.h"

#include <QFontInfo>
#include <QImage>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

TEST(SmallWidgets, AReadoutTellsALeftDoubleClick)
{
    ReadoutLabel l;
    l.resize(80, 20);
    l.show();
    QSignalSpy spy(&l, &ReadoutLabel::doubleClicked);
    QTest::mouseDClick(&l, Qt::RightButton);
    EXPECT_EQ(spy.count(), 0);
    QTest::mouseDClick(&l, Qt::LeftButton);
    EXPECT_EQ(spy.count(), 1);
}

TEST(SmallWidgets, ALampShowsItsColour)
{
    Lamp lamp(nullptr, Qt::black);
    lamp.resize(25, 15);
    lamp.setProperty("color", QColor(0x00FF00));
    EXPECT_EQ(lamp.color(), QColor(0x00FF00));
    QImage img(lamp.size(), QImage::Format_RGB32);
    img.fill(Qt::black);
    lamp.render(&img);
    EXPECT_EQ(QColor(img.pixel(12, 7)), QColor(0x00FF00));
}

TEST(SmallWidgets, ReadoutFontIsBoldFixedPitchInPixels)
{
    const QFont f = FixedPitchBoldFont(14);
    EXPECT_TRUE(f.bold());
    EXPECT_EQ(f.pixelSize(), 14);
    EXPECT_TRUE(QFontInfo(f).fixedPitch()) << QFontInfo(f).family().toStdString();
}
