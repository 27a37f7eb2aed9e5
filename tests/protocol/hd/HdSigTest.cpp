// The SIG guide parser and the LOT line splitter.
#include "protocol/hd/HdSig.h"
#include "sim/hd/HdObjects.h"

#include <gtest/gtest.h>

namespace {

std::array<qint32, HdSigByteCount> bytesOf(const QByteArray& m)
{
    std::array<qint32, HdSigByteCount> b{};
    for (qsizetype i = 0; i < m.size() && i < qsizetype(b.size()); ++i)
        b[size_t(i)] = quint8(m[i]);
    return b;
}

} // namespace

TEST(HdSig, SimulatedGuideParsesEveryServiceFromItsOwnStart)
{
    const std::vector<SigService> s = ParseSig(bytesOf(SimSigMessage(5)));
    ASSERT_EQ(s.size(), 3u);

    EXPECT_EQ(s[0].Number, 1);
    EXPECT_EQ(s[0].Sequence, 5);
    EXPECT_EQ(s[0].Status, 2);
    EXPECT_EQ(s[0].ReceiveTime, 0x12345679u);
    EXPECT_EQ(s[0].ProviderName, "Tolvex");
    EXPECT_EQ(s[0].ServiceName, " ") << "a nameless service keeps a single blank";
    ASSERT_EQ(s[0].Components.size(), 2u);
    const SigComponent& logo = s[0].Components[1];
    EXPECT_EQ(logo.ProgPort, SimLogoPort);
    EXPECT_EQ(logo.MimeHash, 3653707062u);
    EXPECT_EQ(logo.IdLength, 12);
    EXPECT_EQ(logo.IdProvider, 0xA0B0C0D0u);
    EXPECT_EQ(logo.FurtherId, QByteArray("\xE8\xE9\xEA\xEB"));

    EXPECT_EQ(s[1].ServiceName, "Jazz");
    EXPECT_EQ(s[1].ProviderName, " ");
    EXPECT_EQ(s[1].Components.size(), 8u) << "only eight components kept";
    EXPECT_EQ(s[1].Components[7].ProgPort, 0x2007);

    // The service after ten components, the last with two further ID bytes,
    // is read from its real start.
    EXPECT_EQ(s[2].Number, 3);
    EXPECT_EQ(s[2].ServiceName, "News");
    ASSERT_EQ(s[2].Components.size(), 1u);
    EXPECT_EQ(s[2].Components[0].ProgPort, 0x3000);
    EXPECT_EQ(s[2].Components[0].MimeHash, 4152689510u);
}

TEST(HdSig, CountsAndBoundsOfAnUntrustedMessage)
{
    std::array<qint32, HdSigByteCount> b{};
    EXPECT_TRUE(ParseSig(b).empty());

    b[1] = 12; // more services than kept: eight empty ones
    const auto eight = ParseSig(b);
    ASSERT_EQ(eight.size(), 8u);
    EXPECT_EQ(eight[7].ServiceName, " ");

    // Values beyond a byte in a slot are read as the byte they carry.
    b[1] = 0x101;
    EXPECT_EQ(ParseSig(b).size(), 1u);

    // A service whose names and components claim the whole message runs past
    // byte 2048: it reads zeros, the last slot included, and nothing else.
    b.fill(0xFF);
    b[1] = 8;
    const auto past = ParseSig(b);
    ASSERT_EQ(past.size(), 8u);
    EXPECT_EQ(past[0].ProviderName.size(), 255);
    EXPECT_EQ(past[0].Components.size(), 8u);
    EXPECT_EQ(past[7].Number, 0) << "far past the end: zeros";
    EXPECT_EQ(past[7].ServiceName, " ");
}

TEST(HdSig, HashNames)
{
    const struct
    {
        quint32 hash;
        const char* name;
    } cases[] = {{1304849498u, "Audio"},
                 {1590400129u, "Data"},
                 {2508461234u, "Traffic"},
                 {3192616246u, "Primary"},
                 {3653707062u, "Logo"},
                 {4152689510u, "Text"},
                 {0u, ""},
                 {3653707063u, ""}};
    for (const auto& c : cases)
        EXPECT_EQ(SigHashName(c.hash), c.name) << c.hash;
}

TEST(HdSig, LotLineColumns)
{
    const struct
    {
        const char* line;
        std::array<const char*, 3> first;
        const char* fourth;
    } cases[] = {
        {"a,b,c,", {"a", "b", "c"}, ""},
        {"a,b,c,d", {"a", "b", "c"}, ""},
        {",,c,", {"", "", "c"}, ""},
        {"", {"", "", ""}, ""},
        {"1,2,3,4,5,6,7,8,9,10,", {"1", "2", "3"}, "4"},
    };
    for (const auto& c : cases) {
        const auto f = SplitLotLine(c.line);
        EXPECT_EQ(f[0], c.first[0]) << c.line;
        EXPECT_EQ(f[1], c.first[1]) << c.line;
        EXPECT_EQ(f[2], c.first[2]) << c.line;
        EXPECT_EQ(f[3], c.fourth) << c.line;
        for (int k = 4; k < 8; ++k)
            EXPECT_EQ(f[size_t(k)].isEmpty(), QString(c.line).count(',') <= k) << c.line;
    }
    EXPECT_EQ(SplitLotLine("1,2,3,4,5,6,7,8,9,10,")[8], "9");
}
