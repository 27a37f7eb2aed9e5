// The artist-experience window on a frame the test fills by hand.
#include "Vren1WindowSupport.h"

#include "vren1/HD_AEFrame.h"
#include "vren1/HD_ArtistExperience.h"

#include <QPixmap>
#include <QTabWidget>

namespace {

using HdArtistExperienceTest = Vren1WindowTest;

THdPicture picture(int width, int height)
{
    THdPicture p;
    p.Width = width;
    p.Height = height;
    p.Rgba = QByteArray(width * height * 4, char(0x80));
    return p;
}

void fill(THD_AE_Object& o, const THdPicture& p)
{
    o.Valid = true;
    o.Changed = true;
    o.Port = 0x1002;
    o.LotId = 0x405;
    o.DiscardTime = 0x1234ABCD;
    o.Size = 5123;
    o.MimeHash = qint32(0xBE4B7536u);
    o.FileName = "primary.jpg";
    o.Picture = p;
}

} // namespace

TEST_F(HdArtistExperienceTest, SheetsAndFrames)
{
    std::unique_ptr<TArtistExperience> w(open<TArtistExperience>());
    EXPECT_EQ(w->objectName(), "Rack1_VREN1_HDARTECP00");
    EXPECT_EQ(w->windowTitle(), "Artist Experience");
    ASSERT_EQ(w->PageControl1->count(), 9);
    EXPECT_EQ(w->PageControl1->tabText(0), "Radio HD1-HD4");
    EXPECT_EQ(w->PageControl1->tabText(8), "HD8");
    EXPECT_EQ(w->findChildren<THDAEFrame*>().size(), 36);
    EXPECT_EQ(w->MultFrames[0]->Frames[0]->Label15->text(), " Radio Image HD1");
    EXPECT_EQ(w->MultFrames[3]->Frames[2]->Label15->text(), "Primary Image");
    EXPECT_EQ(w->MultFrames[8]->objectName(), "HDAEMultFrame8");
    EXPECT_EQ(w->MultFrames[8]->Frames[3]->objectName(), "HDAEFrame4");
}

TEST_F(HdArtistExperienceTest, ObjectValuesPictureAndRedraws)
{
    THD_AE_Object& primary = frame.AEData.PrimaryImage[1]; // HD2
    fill(primary, picture(64, 48));
    std::unique_ptr<TArtistExperience> w(open<TArtistExperience>());
    THDAEFrame* f = w->MultFrames[2]->Frames[2];
    EXPECT_EQ(f->Port_LB->text(), "$1002");
    EXPECT_EQ(f->LOTID_LB->text(), "$0405");
    EXPECT_EQ(f->DisTime_LB->text(), "$1234ABCD");
    EXPECT_EQ(f->Size_LB->text(), "$5123");
    EXPECT_EQ(f->Hash_LB->text(), "$BE4B7536");
    EXPECT_EQ(f->File_LB->text(), "primary.jpg");
    EXPECT_EQ(f->Dimen_LB->text(), " 48 x  64");
    EXPECT_EQ(primary.Width, 64);
    EXPECT_EQ(primary.Height, 48);
    EXPECT_FALSE(primary.Changed);
    ASSERT_FALSE(f->Image1->pixmap().isNull());
    EXPECT_EQ(f->Image1->pixmap().size(), QSize(64, 48));
    const qint64 key = f->Image1->pixmap().cacheKey();

    refresh(w.get());
    EXPECT_EQ(f->Image1->pixmap().cacheKey(), key) << "unchanged: not redrawn";

    w->show();
    EXPECT_TRUE(primary.Changed);
    refresh(w.get());
    EXPECT_NE(f->Image1->pixmap().cacheKey(), key) << "showing redraws every valid object";

    // A large picture is scaled down into the area, its aspect kept.
    fill(primary, picture(800, 300));
    refresh(w.get());
    EXPECT_EQ(f->Image1->pixmap().size(), QSize(THDAEFrame::ImageWidth, 75));
    EXPECT_EQ(f->Dimen_LB->text(), "300 x 800");

    // A record whose bytes do not make its size is no picture.
    THdPicture broken = picture(10, 10);
    broken.Rgba.chop(1);
    fill(primary, broken);
    refresh(w.get());
    EXPECT_TRUE(f->Image1->pixmap().isNull());
    EXPECT_EQ(f->Dimen_LB->text(), "  0 x   0");

    // Valid without a picture: cleared too, nothing stale.
    fill(primary, picture(64, 48));
    refresh(w.get());
    fill(primary, THdPicture{});
    refresh(w.get());
    EXPECT_TRUE(f->Image1->pixmap().isNull());

    // Invalid: every value empty, the object's size zeroed.
    fill(primary, picture(64, 48));
    refresh(w.get());
    primary.Valid = false;
    primary.Width = 64;
    refresh(w.get());
    EXPECT_TRUE(f->Image1->pixmap().isNull());
    EXPECT_EQ(f->Port_LB->text(), "");
    EXPECT_EQ(f->Dimen_LB->text(), "");
    EXPECT_EQ(primary.Width, 0);
    EXPECT_EQ(primary.Height, 0);
}

TEST_F(HdArtistExperienceTest, RadioImageOnTheOverviewAndItsOwnSheet)
{
    fill(frame.AEData.RadioImage[0], picture(20, 10));
    fill(frame.AEData.RadioImage[5], picture(20, 10));
    std::unique_ptr<TArtistExperience> w(open<TArtistExperience>());
    EXPECT_FALSE(w->MultFrames[0]->Frames[0]->Image1->pixmap().isNull());
    EXPECT_FALSE(w->MultFrames[1]->Frames[0]->Image1->pixmap().isNull());
    EXPECT_EQ(w->MultFrames[0]->Frames[0]->Dimen_LB->text(), " 10 x  20");
    EXPECT_FALSE(frame.AEData.RadioImage[0].Changed);
    EXPECT_FALSE(w->MultFrames[6]->Frames[0]->Image1->pixmap().isNull());
    EXPECT_TRUE(w->MultFrames[2]->Frames[0]->Image1->pixmap().isNull());
}
