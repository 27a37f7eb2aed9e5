#include "protocol/hd/HdHistoryRows.h"

#include <gtest/gtest.h>

namespace {

// A download of one row layout whose minute `minute` (0-based) holds raw.
THistoryDataRec download(int type, int minute, const QByteArray& raw)
{
    THistoryDataRec h(HdHistoryBytes);
    h.Type = type;
    h.Len = HdHistoryMinutes * HdHistoryStride(type);
    h.Index = h.Len - 340;
    const size_t at = size_t(minute) * size_t(HdHistoryStride(type));
    for (int i = 0; i < raw.size(); ++i)
        h.Data[at + size_t(i)] = quint8(raw[i]);
    return h;
}

QByteArray be16(quint16 v)
{
    QByteArray b;
    b += char(v >> 8);
    b += char(v & 0xFF);
    return b;
}

QByteArray be32(qint32 v)
{
    const quint32 u = quint32(v);
    return be16(quint16(u >> 16)) + be16(quint16(u & 0xFFFF));
}

} // namespace

TEST(HdHistoryRows, FirstValueOfEachLayout)
{
    const struct
    {
        int type;
        QByteArray raw;
        const char* text;
        double value;
    } cases[] = {
        {2, be16(0x007D), "  12.5", 12.5},
        {4, be16(0x8001), "-3276.7", -3276.7},
        {4, be16(0x8000), " 3276.8", 3276.8},
        {5, be32(12345), " +12345", 12345},
        // Too wide for their fields: written whole, never as asterisks.
        {5, be32(-131072), "-131072", -131072},
        {5, be32(131072), "+131072", 131072},
        {6, be32(1500000), "1.500000", 1.5},
        {6, be32(12000000), "12.000000", 12},
        {6, be32(-250000), "-0.250000", -0.25},
        {7, be32(2500), "       2.500000", 2.5},
    };
    for (const auto& c : cases) {
        const THdHistoryRows rows = DecodeHdHistoryRows(download(c.type, 9, c.raw));
        ASSERT_TRUE(rows.known) << c.type;
        ASSERT_EQ(rows.cells.size(), size_t(HdHistoryMinutes));
        EXPECT_EQ(rows.cells[9][0], "   10") << c.type;
        EXPECT_EQ(rows.cells[9][1], c.text) << c.type << " " << c.text;
        EXPECT_DOUBLE_EQ(rows.values[0][9], c.value) << c.type << " " << c.text;
    }
}

TEST(HdHistoryRows, TitlesSeriesCountAndTheListOfAPeakAverageMinimumDay)
{
    THistoryDataRec h =
        download(3, 0, be16(123) + be16(456) + be16(78));
    h.Index = 8500;
    const THdHistoryRows rows = DecodeHdHistoryRows(h);
    EXPECT_EQ(rows.seriesCount, 3);
    EXPECT_EQ(rows.titles, (QStringList{"Time(min)", "Peak(%)", "Ave(%)", "Min(%)"}));
    ASSERT_EQ(rows.listLines.size(), 4 + HdHistoryMinutes);
    EXPECT_EQ(rows.listLines.mid(0, 4),
              (QStringList{"HData ID:    0", "HData Type:    3", "HData Len:   8640",
                           "HData Index:   8500"}));
    EXPECT_EQ(rows.listLines[4], "    1    12.3     45.6      7.8");
    EXPECT_EQ(HdHistoryCsvLine(rows.cells[0]), "    1,  12.3,  45.6,   7.8");
    EXPECT_DOUBLE_EQ(rows.values[2][0], 7.8);

    // Two-value layouts keep a blank third title, a non-empty cell.
    const THdHistoryRows fast = DecodeHdHistoryRows(download(4, 0, {}));
    EXPECT_EQ(fast.seriesCount, 2);
    EXPECT_EQ(HdHistoryCsvLine(fast.titles), "Time(min),Fast(dB),Ave(dB),   ");
    EXPECT_TRUE(fast.cells[0][3].isEmpty());
    for (double v : fast.values[2])
        ASSERT_EQ(v, 0);
    EXPECT_EQ(DecodeHdHistoryRows(download(6, 0, {})).seriesCount, 1);
}

TEST(HdHistoryRows, RowsPastLenAreEmptyAndZeroNeverEarlierBytes)
{
    THistoryDataRec h(HdHistoryBytes);
    std::fill(h.Data.begin(), h.Data.end(), quint8(0x11)); // an earlier download
    h.Type = 3;
    h.Len = 6 * 100 + 3; // 100 whole rows and part of the next
    const THdHistoryRows rows = DecodeHdHistoryRows(h);
    ASSERT_TRUE(rows.known);
    EXPECT_FALSE(rows.cells[99][1].isEmpty());
    EXPECT_DOUBLE_EQ(rows.values[0][99], 0x1111 / 10.0);
    for (int k : {100, 101, 1439}) {
        EXPECT_EQ(rows.cells[size_t(k)][0], QString("%1").arg(k + 1, 5)) << k;
        for (int c = 1; c < HdHistoryColumns; ++c)
            EXPECT_TRUE(rows.cells[size_t(k)][size_t(c)].isEmpty()) << k;
        for (int s = 0; s < 3; ++s)
            EXPECT_EQ(rows.values[size_t(s)][size_t(k)], 0) << k;
        EXPECT_EQ(rows.listLines[4 + k], QString("%1").arg(k + 1, 5)) << k;
    }

    // A Len past the area the chunks fill reads no further than the area.
    THistoryDataRec wide(64);
    wide.Type = 5;
    wide.Len = 1440 * 8;
    const THdHistoryRows clipped = DecodeHdHistoryRows(wide);
    EXPECT_FALSE(clipped.cells[7][1].isEmpty());
    EXPECT_TRUE(clipped.cells[8][1].isEmpty());
}

TEST(HdHistoryRows, ATypeWithoutLayoutGivesOnlyTheHeader)
{
    for (int type : {0, 1, 8, 9, -3}) {
        THistoryDataRec h(HdHistoryBytes);
        h.Type = type;
        h.Len = 8640;
        const THdHistoryRows rows = DecodeHdHistoryRows(h);
        EXPECT_FALSE(rows.known) << type;
        EXPECT_EQ(rows.listLines.size(), 4) << type;
        EXPECT_TRUE(rows.cells.empty()) << type;
        EXPECT_EQ(HdHistoryStride(type), 0) << type;
    }
}
