#include "protocol/rds/RdsDecoder.h"
#include "protocol/rds/RdsTestGroups.h"

#include <gtest/gtest.h>

using namespace Rds;

namespace {

constexpr quint16 Pi = 0x4569;

QByteArray bytes(const std::array<quint8, 4>& a)
{
    return QByteArray(reinterpret_cast<const char*>(a.data()), 4);
}
QByteArray bytes(const std::array<quint8, 8>& a)
{
    return QByteArray(reinterpret_cast<const char*>(a.data()), 8);
}

bool allBlank(const TRdsDataChannels& s, char part)
{
    for (int n = 0; n < TRdsDataChannels::Channels; ++n) {
        const auto& ch = s.channel(n);
        if (part == 'A' ? (bytes(ch.aText) != "****" || bytes(ch.aHex) != "********")
                        : (bytes(ch.bText) != "****" || bytes(ch.bHex) != "********"))
            return false;
    }
    return true;
}

// The transparent-data and in-house stores read their groups alike; each
// case runs for both, and the other store must stay as it was.
struct Kind
{
    int a, b;
    const TRdsDataChannels& (TRdsDecoder::*store)() const;
    const TRdsDataChannels& (TRdsDecoder::*other)() const;
};

class RdsDataChannelsTest : public ::testing::TestWithParam<Kind>
{
protected:
    void SetUp() override { d.setUp(); }
    const TRdsDataChannels& store() const { return (d.*GetParam().store)(); }
    const TRdsDataChannels& other() const { return (d.*GetParam().other)(); }
    TRdsDecoder d;
};

TEST_P(RdsDataChannelsTest, VersionBWritesItsChannelAndClearsVersionA)
{
    d.feed(rdsGroup(Pi, GetParam().a, 5, 0x3132, 0x3334));
    ASSERT_EQ(bytes(store().channel(5).aText), "1234");
    d.feed(rdsGroup(Pi, GetParam().b, 3, 0, 0x4142));
    const auto& ch = store().channel(3);
    EXPECT_EQ(bytes(ch.bText), "--AB");
    EXPECT_EQ(bytes(ch.bHex), "----4142");
    EXPECT_TRUE(store().bSeen());
    EXPECT_FALSE(store().aSeen());
    EXPECT_TRUE(allBlank(store(), 'A'));
    EXPECT_TRUE(allBlank(other(), 'A'));
    EXPECT_TRUE(allBlank(other(), 'B'));
}

TEST_P(RdsDataChannelsTest, VersionAWritesFourRawCharactersAndClearsVersionB)
{
    d.feed(rdsGroup(Pi, GetParam().b, 3, 0, 0x4142));
    d.feed(rdsGroup(Pi, GetParam().a, 31, 0x4142, 0x4344));
    EXPECT_EQ(bytes(store().channel(31).aText), "ABCD");
    EXPECT_EQ(bytes(store().channel(31).aHex), "41424344");
    EXPECT_TRUE(store().aSeen());
    EXPECT_FALSE(store().bSeen());
    EXPECT_TRUE(allBlank(store(), 'B'));
    // Any byte is kept as sent, NUL included; hex digits are upper case.
    d.feed(rdsGroup(Pi, GetParam().a, 0, 0x00FE, 0xab00));
    EXPECT_EQ(bytes(store().channel(0).aText), QByteArray("\x00\xFE\xAB\x00", 4));
    EXPECT_EQ(bytes(store().channel(0).aHex), "00FEAB00");
    EXPECT_TRUE(allBlank(other(), 'A'));
}

TEST_P(RdsDataChannelsTest, DecoderResetClearsBothPartsAndSeenFlags)
{
    d.feed(rdsGroup(Pi, GetParam().a, 1, 0x4142, 0x4344));
    d.feed(rdsGroup(Pi + 1, gt0A, 0)); // another station
    EXPECT_TRUE(allBlank(store(), 'A'));
    EXPECT_TRUE(allBlank(store(), 'B'));
    EXPECT_FALSE(store().aSeen());
    EXPECT_FALSE(store().bSeen());
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, RdsDataChannelsTest,
    ::testing::Values(Kind{gt5A, gt5B, &TRdsDecoder::tdc, &TRdsDecoder::inHouse},
                      Kind{gt6A, gt6B, &TRdsDecoder::inHouse, &TRdsDecoder::tdc}),
    [](const auto& info) { return info.param.a == gt5A ? "Transparent" : "InHouse"; });

} // namespace
