#pragma once

#include "protocol/hd/HdData.h"

#include <QString>
#include <QStringList>
#include <array>
#include <vector>

// A day of one measurement as the unit sends it: 1440 rows, one a minute,
// laid out by the download's Type. Decoding turns the received bytes into
// the table's cells, the list's lines and the chart's values.
constexpr int HdHistoryMinutes = 1440;
constexpr int HdHistoryColumns = 4; // "Time(min)" and up to three values

struct THdHistoryRows
{
    // False for a Type without a row layout: only the list's header lines are
    // set, and the shown table and values stay as they were.
    bool known = false;
    // The download the rows were decoded from: a file saved later describes
    // these rows, whatever the frame has downloaded since.
    qint32 id = 0, type = 0, len = 0;
    int seriesCount = 0; // value columns of the Type, 1..3
    QStringList header;  // the four "HData ..." lines
    QStringList titles;  // the table's title row, HdHistoryColumns cells
    // cells[k][c]: minute k + 1; empty cells where the row has no value.
    std::vector<std::array<QString, HdHistoryColumns>> cells;
    // The values of the three value columns; 0 where the Type has no column
    // or the download did not reach the row.
    std::array<std::vector<double>, 3> values;
    QStringList listLines; // the header lines, then one per minute when known
};

// Bytes per row of a Type; 0 for a Type without a row layout.
int HdHistoryStride(int type);

THdHistoryRows DecodeHdHistoryRows(const THistoryDataRec& history);

// A row of the table as a line: its non-empty cells joined by ",".
QString HdHistoryCsvLine(const std::array<QString, HdHistoryColumns>& cells);
QString HdHistoryCsvLine(const QStringList& cells);
