// A simulated rack told to look like a station on air lights what such a
// station lights: pilot, RDS, the subcarriers and carriers, the AM carrier's
// NORMAL lamp. Dark lamps beside a 9 % pilot reading look like a fault to
// whoever tries the program.
#include "sim/rack/RackUnit.h"

#include "protocol/rack/RackRecordLayout.h"

#include <gtest/gtest.h>

using namespace RackLayout;

TEST(SimRackStation, TheLampsOfAStationOnAirAreLit)
{
    RackUnit fm{rkFM};
    fm.records.lookLikeAStation(false);
    const TRackModuleRecord f = fm.records.nextRecord();
    EXPECT_EQ(f[Nuva1Section.status] & 0x01, 0x01) << "Nuva1 PILOT";
    EXPECT_EQ(f[Lyn1Section.status] & 0x03, 0x03) << "Lyn1 PILOT and RDS";
    EXPECT_EQ(f[Lyn1Section.status] & 0x04, 0) << "Lyn1 SYNC stays dark";
    EXPECT_EQ(f[Varn1Section.status] & 0x03, 0x01) << "Varn1 CAR, no PEAK";

    RackUnit tv{rkTV};
    tv.records.lookLikeAStation(false);
    const TRackModuleRecord t = tv.records.nextRecord();
    EXPECT_EQ(t[Gry230Section.status] & 0x0F, 0x04) << "Gry230 PILOT only";
    EXPECT_EQ(t[Gry250Section.status] & 0x0F, 0x05) << "Gry250 SAP CAR and PRO CAR";

    RackUnit am{rkAM};
    am.records.lookLikeAStation(false);
    for (int n = 0; n < 2; ++n) {
        const TRackModuleRecord a = am.records.nextRecord();
        const bool pelo2 = (a[3] & 0x0F) == KindPelo2;
        const TSectionLayout& l = pelo2 ? Pelo2Section : Pelo1Section;
        EXPECT_EQ(a[l.led], 0x20) << (pelo2 ? "Pelo2" : "Pelo1") << " NORMAL alone";
    }
}
