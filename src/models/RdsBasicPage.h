#pragma once

#include <QString>

class TRdsDecoder;

// One field of the Basic page: its text and whether the station has sent it
// (shown yellow) or not yet (white).
struct TRdsField
{
    QString text;
    bool known = false;
    bool operator==(const TRdsField&) const = default;
};

// Every field of an RDS window's Basic page; the window only copies it.
struct TRdsBasicPage
{
    static constexpr int GroupTypesWidth = 71;

    TRdsField piCall, piHex, ecc, ta, tp, ms, ps, ptyNumber, ptyName, ptyn, time, date, pin, city,
        stateNumber, stateName, diNumber, diText, rtA, rtB, afMethodA, afMethodB, afCount, afLine1,
        afLine2, groupTypes;
};

TRdsBasicPage RdsBasicPage(const TRdsDecoder& d);
