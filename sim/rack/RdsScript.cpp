#include "sim/rack/RdsScript.h"

#include <QList>

namespace {

constexpr quint16 StationPi = 0x47F3; // KVEX
constexpr quint16 Rock = 5 << 5;
constexpr quint16 Tp = 0x0400;
constexpr int ClockMarker = -1;

quint16 b(int type, quint16 low)
{
    return quint16((type << 11) | Tp | Rock | (low & 0x1F));
}

quint16 word(const char* s, int i)
{
    return quint16(static_cast<unsigned char>(s[i]) << 8 | static_cast<unsigned char>(s[i + 1]));
}

void addPs(std::vector<RdsScript::Group>& out)
{
    // 0A: TA off, music, stereo (DI bit on address 3); AF method A: five
    // frequencies, 98.3 first.
    const char* ps = "KVEX FM ";
    const quint16 af[4] = {0xE56C, 0x8852, 0xA006, 0xCDCD};
    for (int a = 0; a < 4; ++a)
        out.push_back(
            {StationPi, b(0, quint16(0x08 | (a == 3 ? 0x04 : 0) | a)), af[a], word(ps, 2 * a)});
}

void addText(std::vector<RdsScript::Group>& out, const char* text, bool flagB)
{
    QByteArray t(text);
    t += '\r';
    while (t.size() % 4)
        t += ' ';
    for (int a = 0; a < t.size() / 4 && a < 16; ++a)
        out.push_back({StationPi, b(4, quint16((flagB ? 0x10 : 0) | a)), word(t.constData(), 4 * a),
                       word(t.constData(), 4 * a + 2)});
}

// 1A: ECC and PIN, with B bits 0-1 carrying the paging interval number 10
// (a group without the sync bit first, so every loop reads the same number);
// 7A: a 10-digit and an alphanumeric message to group 12, pager 3456.
void addPaging(std::vector<RdsScript::Group>& out)
{
    const quint16 pin = quint16(10 << 11 | 14 << 6 | 30);
    for (quint16 low : {0x0, 0x2, 0x3, 0x0, 0x1, 0x0})
        out.push_back({StationPi, b(2, low), 0x00A0, pin});
    out.push_back({StationPi, b(14, 2), 0x1234, 0x5612});
    out.push_back({StationPi, b(14, 3), 0x3456, 0x7890});
    const char* text = "CALL STUDIO ";
    out.push_back({StationPi, b(14, 8), 0x1234, 0x5600});
    out.push_back({StationPi, b(14, 9), word(text, 0), word(text, 2)});
    out.push_back({StationPi, b(14, 10), word(text, 4), word(text, 6)});
    out.push_back({StationPi, b(14, 15), word(text, 8), word(text, 10)});
}

// 14A about one other network: its PS, a three-frequency AF list, its PTY
// and TA; 5A and 6B data channels.
void addOtherNetwork(std::vector<RdsScript::Group>& out)
{
    constexpr quint16 OnPi = 0x4A3C;
    const char* ps = "KVEX AM ";
    for (int v = 0; v < 4; ++v)
        out.push_back({StationPi, b(28, quint16(0x10 | v)), word(ps, 2 * v), OnPi});
    out.push_back({StationPi, b(28, 0x14), 0xE341, OnPi});
    out.push_back({StationPi, b(28, 0x14), 0x4D55, OnPi});
    out.push_back({StationPi, b(28, 0x1D), quint16(10 << 11 | 1), OnPi});
    out.push_back({StationPi, b(10, 2), word("DATA", 0), word("DATA", 2)});
    out.push_back({StationPi, b(13, 1), 0, word("IH", 0)});
}

} // namespace

RdsScript::Group RdsClockGroup(quint16 pi, const QDateTime& utc, int offsetHalfHours)
{
    const QDateTime t = utc.toUTC();
    const int mjd = int(t.date().toJulianDay() - 2400001);
    const int hour = t.time().hour(), minute = t.time().minute();
    const bool negative = offsetHalfHours < 0;
    const int half = negative ? -offsetHalfHours : offsetHalfHours;
    return {pi, quint16((8 << 11) | Tp | Rock | ((mjd >> 15) & 0x03)),
            quint16(((mjd & 0x7FFF) << 1) | (hour >> 4)),
            quint16(((hour & 0x0F) << 12) | (minute << 6) | (negative ? 0x20 : 0) | (half & 0x1F))};
}

RdsScript RdsScript::builtIn()
{
    RdsScript s;
    s.liveClock = true;
    auto& g = s.groups;
    addPs(g);
    addText(g, "NOW PLAYING: THE NIGHT SHIFT - ALL NIGHT LONG", false);
    addPs(g);
    g.push_back({StationPi, b(20, 0), word("CLASSIC ", 0), word("CLASSIC ", 2)});
    g.push_back({StationPi, b(20, 1), word("CLASSIC ", 4), word("CLASSIC ", 6)});
    g.push_back({StationPi, 0, 0, ClockMarker & 0xFFFF}); // the 4A clock, made when sent
    addPs(g);
    addText(g, "KVEX 98.3 FM - THE ROCK OF THE VALLEY", true);
    addPs(g);
    g.push_back({StationPi, 0, 0, ClockMarker & 0xFFFF});
    addPaging(g);
    addPs(g);
    addOtherNetwork(g);
    return s;
}

std::optional<RdsScript> RdsScript::fromText(const QByteArray& text, QString* error)
{
    RdsScript s;
    const QList<QByteArray> lines = text.split('\n');
    for (int n = 0; n < lines.size(); ++n) {
        QByteArray line = lines[n];
        const int hash = line.indexOf('#');
        if (hash >= 0)
            line.truncate(hash);
        const QList<QByteArray> words = line.simplified().split(' ');
        if (line.simplified().isEmpty())
            continue;
        Group g{};
        bool good = words.size() == 4;
        for (int i = 0; good && i < 4; ++i) {
            bool ok = false;
            const uint v = words[i].toUInt(&ok, 16);
            good = ok && words[i].size() <= 4 && v <= 0xFFFF;
            g[i] = quint16(v);
        }
        if (!good) {
            if (error)
                *error = QString("line %1: expected four hexadecimal words, got \"%2\"")
                             .arg(n + 1)
                             .arg(QString::fromLatin1(lines[n].trimmed()));
            return std::nullopt;
        }
        s.groups.push_back(g);
    }
    if (s.groups.empty()) {
        if (error)
            *error = "no groups";
        return std::nullopt;
    }
    return s;
}

RdsScript::Group RdsScript::at(int i) const
{
    Group g = groups[i];
    if (liveClock && g[1] == 0 && g[3] == quint16(ClockMarker & 0xFFFF))
        return RdsClockGroup(g[0], clock.isValid() ? clock : QDateTime::currentDateTimeUtc(), -10);
    return g;
}

RdsScript::Batch RdsScript::nextBatch()
{
    Batch out{};
    for (Group& g : out) {
        if (emptyEntries || groups.empty()) {
            g = {};
            continue;
        }
        g = at(m_next);
        m_next = (m_next + 1) % int(groups.size());
        if (injectPi) {
            g[0] = injectPi;
            injectPi = 0;
        }
    }
    return out;
}
