#include "protocol/rds/RdsDecoder.h"
#include "protocol/rds/RdsTestGroups.h"

#include <gtest/gtest.h>

using namespace Rds;
using S = TRdsPagingState;

namespace {

constexpr quint16 Pi = 0x4569;

class RdsPagingTest : public ::testing::Test
{
protected:
    void SetUp() override { start(); }
    void start()
    {
        d.setUp();
        // The first group after a reset is never handed to the paging decoder.
        d.feed(rdsGroup(Pi, gt0A, 0));
    }
    void page(int variant, quint16 c, quint16 dd)
    {
        d.feed(rdsGroup(Pi, gt7A, quint16(variant), c, dd));
    }
    const S& s() const { return d.paging(); }
    const TRdsPagingFields& f() const { return d.pagingFields(); }

    TRdsDecoder d;
};

TEST_F(RdsPagingTest, IntervalNumberFromThe1AAnd1BCodes)
{
    struct Row
    {
        int type;
        std::vector<quint16> lowB;
        bool collecting;
        int bitIndex, interval;
    } rows[] = {
        {gt1A, {0x2, 0x0, 0x2}, false, 3, 0},                    // no two sync bits in a row
        {gt1A, {0x2, 0x3, 0x0, 0x1, 0x1}, false, 3, 0b1011},     // second to fifth group, MSB first
        {gt1A, {0x2, 0x3, 0x0, 0x1, 0x1, 0x2}, true, 2, 0b1011}, // the next sync bit starts at once
        {gt1B, {0x2, 0x2, 0x1, 0x1, 0x0}, false, 3, 0b0110},
    };
    for (const Row& r : rows) {
        start();
        for (quint16 b : r.lowB)
            d.feed(rdsGroup(Pi, r.type, quint16(b | 0x1C)));
        EXPECT_EQ(f().PagingCollecting, r.collecting) << r.lowB.size();
        EXPECT_EQ(f().PagingBitIndex, r.bitIndex) << r.lowB.size();
        EXPECT_EQ(f().PagingInterval, r.interval) << r.lowB.size();
        EXPECT_EQ(f().PagingCodeField, 7);
    }
    d.feed(rdsGroup(Pi + 1, gt0A, 0)); // another station
    EXPECT_EQ(f().PagingBitIndex, 3);
    EXPECT_FALSE(f().PagingCollecting || f().PagingSyncSeen);
    EXPECT_EQ(f().PagingInterval, 0);
}

TEST_F(RdsPagingTest, NoMessagePageAndAddress)
{
    page(0, 0x1234, 0x5678);
    EXPECT_EQ(f().PagingGroupCode, 12);
    EXPECT_EQ(f().PagingIndividualCode, 3456);
    EXPECT_TRUE(s().Received[S::NoMessage]);
    EXPECT_TRUE(s().PagingChanged);
    EXPECT_EQ(s().LastPagingText, QByteArray(34, ' '));
    EXPECT_EQ(s().PrefixDone, "***");
    EXPECT_EQ(s().LastGroupCode, 12);
    EXPECT_EQ(s().LastIndividualCode, 3456);
    // A nibble above 9 keeps its decimal weight.
    page(0, 0xAB0C, 0xFE00);
    EXPECT_EQ(f().PagingGroupCode, 10 * 10 + 11);
    EXPECT_EQ(f().PagingIndividualCode, 0 * 1000 + 12 * 100 + 15 * 10 + 14);
}

TEST_F(RdsPagingTest, NumericAndHexMessages)
{
    struct Row
    {
        const char* name;
        std::vector<std::array<quint16, 3>> groups; // variant, C, D
        int mode;
        QByteArray S::*done;
        QByteArray text, prefix;
    } rows[] = {
        // BCD 10 is a blank, 11-15 the last digit.
        {"ten",
         {{2, 0x1234, 0x56AB}, {3, 0xF012, 0x3456}},
         S::TenDigit,
         &S::TenDone,
         " 150123456",
         "***"},
        {"eighteen",
         {{4, 0x1234, 0x5612}, {5, 0x3456, 0x7890}, {6, 0x1234, 0x5678}},
         S::EighteenDigit,
         &S::EighteenDone,
         "123456789012345678",
         "***"},
        // Prefix nibbles above 9 are "*".
        {"fifteen",
         {{7, 0x1234, 0x56C9}, {5, 0x1234, 0x5678}, {6, 0x9012, 0x3456}},
         S::FifteenDigit,
         &S::FifteenDone,
         "234567890123456",
         "*91"},
        {"hex", {{1, 0x1234, 0x5612}, {3, 0x3abc, 0xdef0}}, S::Hex, &S::HexDone, "ABCDEF0", "123"},
    };
    for (const Row& r : rows) {
        start();
        for (size_t i = 0; i < r.groups.size(); ++i) {
            EXPECT_FALSE(s().Received[r.mode]) << r.name << " stored before its last segment";
            page(r.groups[i][0], r.groups[i][1], r.groups[i][2]);
        }
        EXPECT_TRUE(s().Received[r.mode]) << r.name;
        EXPECT_EQ(s().*r.done, r.text) << r.name;
        EXPECT_EQ(s().LastPagingText, r.text) << r.name;
        EXPECT_EQ(s().PrefixDone, r.prefix) << r.name;
    }
}

TEST_F(RdsPagingTest, RepeatedMessageToTheSameAddressIsStoredOnce)
{
    auto message = [&](quint16 address) {
        page(2, address, 0x0012);
        page(3, 0x3456, 0x7890);
    };
    message(0x1234);
    EXPECT_TRUE(s().PagingChanged);
    EXPECT_FALSE(s().PagingRepeated);
    message(0x1234);
    EXPECT_TRUE(s().PagingRepeated);
    EXPECT_FALSE(s().PagingChanged); // not stored again
    EXPECT_EQ(s().TenDone, "1234567890");
    message(0x4321);
    EXPECT_TRUE(s().PagingChanged);
    EXPECT_EQ(s().LastIndividualCode, 2100);
}

TEST_F(RdsPagingTest, AlphanumericMessages)
{
    page(8, 0x1234, 0x5600);
    page(9, 0x4142, 0x4344);
    page(10, 0x4546, 0x4748);
    EXPECT_FALSE(s().Received[S::Alpha]);
    page(15, 0x494A, 0x4B4C);
    EXPECT_TRUE(s().Received[S::Alpha]);
    EXPECT_EQ(s().AlphaDone, QByteArray("ABCDEFGHIJKL").leftJustified(80, ' '));
    EXPECT_EQ(s().LastPagingText, s().AlphaDone);

    // A shorter message keeps the earlier characters beyond its end; raw bytes stay.
    page(8, 0x1234, 0x5600);
    page(15, 0x7700, 0x7879);
    EXPECT_EQ(s().AlphaDone, QByteArray("w\0xyEFGHIJKL", 12).leftJustified(80, ' '));

    // A segment of another mode changes nothing.
    const S before = s();
    page(3, 0x3132, 0x3334);
    page(6, 0x3132, 0x3334);
    EXPECT_EQ(s().AlphaWork, before.AlphaWork);
    EXPECT_EQ(s().TenWork, before.TenWork);
    EXPECT_EQ(s().FifteenWork, before.FifteenWork);
    EXPECT_EQ(s().AlphaPosition, before.AlphaPosition);

    // Twenty-five segments: nothing past character 80, and the position stays bounded.
    page(8, 0x1234, 0x5600);
    for (int i = 0; i < 25; ++i)
        page(9, quint16(0x4040 + 0x0101 * (i % 16)), 0x2D2D);
    page(15, 0x5A5A, 0x5A5A);
    EXPECT_EQ(s().AlphaWork.size(), 80);
    EXPECT_EQ(s().AlphaDone.size(), 80);
    EXPECT_EQ(s().AlphaPosition, 81);
    EXPECT_EQ(s().AlphaDone.mid(76), QByteArray("CC--"));
    // The next message starts at its first character again.
    page(8, 0x1234, 0x5600);
    page(15, 0x3132, 0x3334);
    EXPECT_EQ(s().AlphaDone.left(4), "1234");
}

TEST_F(RdsPagingTest, StationChangeKeepsMessagesAndSetUpClearsThem)
{
    page(2, 0x1234, 0x0012);
    page(3, 0x3456, 0x7890);
    page(7, 0x1234, 0x0012); // leaves the 15-digit mode set
    d.feed(rdsGroup(Pi + 1, gt0A, 0));
    EXPECT_TRUE(s().Received[S::TenDigit]);
    EXPECT_EQ(s().TenDone, "1234567890");
    EXPECT_TRUE(s().Modes[S::FifteenDigit]);
    EXPECT_EQ(f().PagingGroupCode, 0);
    EXPECT_EQ(f().PagingVariant, 0);
    d.setUp();
    EXPECT_FALSE(s().Received[S::TenDigit]);
    EXPECT_EQ(s().TenDone, QByteArray(10, ' '));
    EXPECT_EQ(s().LastGroupCode, 100);
    EXPECT_EQ(s().LastIndividualCode, 10000);
    EXPECT_EQ(s().LastPagingText, " ");
}

} // namespace

namespace {

// Each window's decoder holds its own paging and other-network state: two
// stations decoded side by side do not see each other's messages.
TEST(RdsPagingAndEon, TwoDecodersKeepSeparateStates)
{
    TRdsDecoder a, b;
    a.setUp();
    b.setUp();
    for (TRdsDecoder* d : {&a, &b})
        d->feed(rdsGroup(Pi, gt0A, 0));
    a.feed(rdsGroup(Pi, gt7A, 2, 0x1234, 0x0012));
    a.feed(rdsGroup(Pi, gt7A, 3, 0x3456, 0x7890));
    a.feed(rdsGroup(Pi, gt14A, 0, 0x4142, 0x4A3C));
    b.feed(rdsGroup(Pi, gt14A, 0, 0x5859, 0x4A3D));
    EXPECT_EQ(a.paging().TenDone, "1234567890");
    EXPECT_EQ(b.paging().TenDone, QByteArray(10, ' '));
    EXPECT_FALSE(b.paging().Received[S::TenDigit]);
    EXPECT_EQ(a.eon().OnPs, "AB******");
    EXPECT_EQ(b.eon().OnPs, "XY******");
    b.setUp(); // a window created again starts afresh; the other keeps its own
    EXPECT_EQ(a.paging().TenDone, "1234567890");
    EXPECT_EQ(b.eon().OnPs, "********");
}

} // namespace
