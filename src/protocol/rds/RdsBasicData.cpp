#include "protocol/rds/RdsBasicData.h"

#include "common/FieldHelpers.h"

#include <QDate>
#include <array>

namespace Rds {

namespace {

// 9950 .. 99BB; an empty entry has no call letters.
constexpr std::array<const char*, 0x99BC - 0x9950> CallTable = {
    "KEX", "KFH", "KFI", "KGA", "KGO", "KGU", "KGW", "KGY", "KID", "KIT", "KJR", "KLO",
    "KLZ", "KMA", "KMJ", "KNX", "KOA", "KOH", "KOY", "KPQ", "KQV", "KSL", "KUJ", "KVI",
    "KWG", "KXL", "KXO", "KYW", "WBT", "WBZ", "WDZ", "WEW", "WGH", "WGL", "WGN", "WGR",
    "WGY", "WHA", "WHB", "WHK", "WHO", "WHP", "WIP", "WJR", "WKY", "WLS", "WLW", "WMC",
    "WMT", "WOC", "WOI", "WOL", "WOR", "WOW", "WSB", "WSM", "WWJ", "WWL", "",    "",
    "",    "",    "",    "",    "KDB", "KGB", "KOY", "KPQ", "KSD", "KUT", "KXL", "KXO",
    "KYA", "WBT", "WGH", "WGY", "WHP", "WIL", "WMC", "WMT", "WOI", "WOW", "WRR", "WSB",
    "WSM", "KBW", "KCY", "KDF", "KGO", "KGW", "KHQ", "KOB", "KSL", "KYW", "WBZ", "WGN",
    "WHA", "WHO", "WHP", "WIS", "WJW", "WJZ", "WLS", "WMC", "WOI", "WRC", "WSB", "WWL",
};
static_assert(CallTable[0x998A - 0x9950][0] == '\0' && CallTable[0x998F - 0x9950][0] == '\0');
static_assert(CallTable[0x9990 - 0x9950][0] == 'K');
static_assert(CallTable.back() != nullptr && CallTable.back()[0] == 'W'); // every entry written

constexpr std::array<const char*, 32> PtyRds = {
    "__****__", "NEWS    ", "AFFAIRS ", "INFO    ", "SPORT   ", "EDUCATE ", "DRAMA   ", "CULTURE ",
    "SCIENCE ", "VARIED  ", "POP M   ", "ROCK M  ", "M.O.R. M", "LIGHT M ", "CLASSICS", "OTHER M ",
    "--------", "--------", "--------", "--------", "--------", "--------", "--------", "--------",
    "--------", "--------", "--------", "--------", "--------", "--------", "--------", "ALARM   ",
};
constexpr std::array<const char*, 32> PtyRbds = {
    "__****__", "NEWS    ", "INFORM  ", "SPORTS  ", "TALK    ", "ROCK    ", "CLS_ROCK", "ADLT_HIT",
    "SOFT_RCK", "TOP_40  ", "COUNTRY ", "OLDIES  ", "SOFT    ", "NOSTALGA", "JAZZ    ", "CLASSICL",
    "R_&_B   ", "SOFT_R&B", "LANGUAGE", "REL_MUSC", "REL_TALK", "PERSNLTY", "PUBLIC  ", "--------",
    "--------", "--------", "--------", "--------", "--------", "--------", "TEST    ", "ALERT!  ",
};

constexpr std::array<const char*, 51> States = {
    "AK", "AL", "AZ", "AR", "CA", "CO", "CT", "DE", "DC", "FL", "GA", "HI", "ID",
    "IL", "IN", "IA", "KS", "KY", "LA", "ME", "MD", "MA", "MI", "MN", "MS", "MO",
    "MT", "NB", "NV", "NH", "NJ", "NM", "NY", "NC", "ND", "OH", "OK", "OR", "PA",
    "RI", "SC", "SD", "TN", "TX", "UT", "VT", "VA", "WA", "WV", "WI", "WY",
};

QString threeLetters(int n)
{
    QString s;
    s += QChar('A' + n / 676);
    s += QChar('A' + (n % 676) / 26);
    s += QChar('A' + n % 26);
    return s;
}

// An hour 0..23 in the 12-hour form: the hour shown and whether it is PM.
std::pair<int, bool> twelveHour(int hour)
{
    if (hour == 0)
        return {12, false};
    if (hour < 12)
        return {hour, false};
    if (hour == 12)
        return {12, true};
    return {hour - 12, true};
}

// Minutes from local midnight of the UTC day, which may fall on the day before
// or after.
int localMinutes(const TRdsClock& k)
{
    const int offset = k.offsetHalfHours * 30;
    return k.hour * 60 + k.minute + (k.negative ? -offset : offset);
}

int floorDiv(int a, int b)
{
    return a >= 0 ? a / b : -((-a + b - 1) / b);
}

} // namespace

QString DeviceChars(const quint8* bytes, int n)
{
    QString s(n, QChar(' '));
    for (int i = 0; i < n; ++i) {
        const QChar c = QChar::fromLatin1(char(bytes[i]));
        if (c.isPrint())
            s[i] = c;
    }
    return s;
}

QString PiHexText(quint16 pi)
{
    return QString::number(pi, 16).toUpper().rightJustified(4, QChar('0'));
}

QString CallLetters(quint16 pi)
{
    if (pi < 4096 || pi > 39355)
        return QStringLiteral("****");
    if (pi <= 21671)
        return "K" + threeLetters(pi - 4096);
    if (pi <= 39247)
        return "W" + threeLetters(pi - 21672);
    const char* call = CallTable[pi - 0x9950];
    return call[0] ? QString::fromLatin1(call) + " " : QString();
}

QString PtyName(int pty, int mode)
{
    if (pty < 0 || pty > 31)
        return QStringLiteral("********");
    return QString::fromLatin1(mode == 1 ? PtyRds[pty] : PtyRbds[pty]);
}

QString DiText(int di)
{
    switch (di) {
    case 0:
        return QStringLiteral("MONO      ");
    case 1:
        return QStringLiteral("STEREO    ");
    case 3:
        return QStringLiteral("ST,AH     ");
    case 4:
        return QStringLiteral("MONO,COM  ");
    case 5:
        return QStringLiteral("ST,COM    ");
    case 7:
        return QStringLiteral("ST,COM,AH ");
    default:
        return QStringLiteral("UNASSIGNED");
    }
}

QString StateName(int code)
{
    if (code < 0 || code >= int(States.size()))
        return QStringLiteral("**");
    return QString::fromLatin1(States[code]);
}

QString OnOffText(bool on)
{
    return on ? QStringLiteral("ON(1) ") : QStringLiteral("OFF(0)");
}

QString MusicSpeechText(bool music)
{
    return music ? QStringLiteral("MUSIC(1) ") : QStringLiteral("SPEECH(0)");
}

QString EccText(int ecc)
{
    switch (ecc) {
    case 160:
        return QStringLiteral("A0");
    case 161:
        return QStringLiteral("A1");
    case 164:
        return QStringLiteral("A4");
    default:
        return QStringLiteral("**");
    }
}

QString PinText(int day, int hour, int minute)
{
    QString ampm = QStringLiteral("AM");
    int h = hour;
    if (hour >= 13) {
        h = hour - 12;
        ampm = QStringLiteral("PM");
    } else if (hour == 12) {
        ampm = QStringLiteral("PM");
    } else if (hour == 0) {
        h = 12;
    }
    return ZeroPadInt(day, 2) + " " + ZeroPadInt(h, 2) + ":" + ZeroPadInt(minute, 2) + " " + ampm;
}

TRdsClock ClockFromGroup(quint16 b, quint16 c, quint16 d)
{
    TRdsClock k;
    k.mjd = (b & 0x03) * 32768 + c / 2;
    k.hour = (c & 0x01) * 16 + (d >> 12);
    k.minute = (d >> 6) & 0x3F;
    k.offsetHalfHours = d & 0x1F;
    k.negative = (d & 0x20) != 0;
    return k;
}

bool ClockValid(const TRdsClock& k)
{
    return k.mjd >= 15079 && k.mjd <= 88127 && k.hour < 24 && k.minute < 60;
}

QString ClockTimeText(const TRdsClock& k)
{
    const int m = localMinutes(k);
    const int inDay = m - floorDiv(m, 1440) * 1440;
    const auto [h, pm] = twelveHour(inDay / 60);
    return IntField(h, 2) + ":" + ZeroPadInt(inDay % 60, 2) + (pm ? " PM" : " AM");
}

QString ClockDateText(const TRdsClock& k)
{
    // MJD 0 is 17 November 1858, Julian day 2400001.
    const QDate d = QDate::fromJulianDay(qint64(k.mjd) + 2400001 + floorDiv(localMinutes(k), 1440));
    return ZeroPadInt(d.month(), 2) + "/" + ZeroPadInt(d.day(), 2) + "/" +
           ZeroPadInt(d.year() % 100, 2);
}

QString GroupTypesText(quint32 seen)
{
    QString text;
    for (int type = 0; type < 32; ++type) {
        if (!(seen & (1u << type)))
            continue;
        const int group = type / 2;
        text += IntField(group, group <= 9 ? 2 : 3) + ((type & 1) ? "B" : "A");
    }
    return text;
}

} // namespace Rds
