#include "protocol/rds/RdsEon.h"

#include "protocol/rds/RdsAltFreq.h"

namespace {

constexpr int CountFirst = 224;
constexpr int CountLast = 249;
constexpr int LfMfFollows = 250;

bool isFrequency(int code)
{
    return code >= 1 && code <= 204;
}

QByteArray blanks(int n)
{
    return QByteArray(n, ' ');
}

QByteArray tunedLine()
{
    QByteArray line = blanks(TRdsEonState::LineWidth);
    const QByteArray head(" tuned frequency:");
    line.replace(0, head.size(), head);
    return line;
}

// Writes text at the 1-based position when it fits whole within the line.
bool writeAt(QByteArray& line, int position, const QString& text)
{
    if (position < 1 || position - 1 + text.size() > line.size())
        return false;
    const QByteArray bytes = text.toLatin1();
    for (int i = 0; i < bytes.size(); ++i)
        line[position - 1 + i] = bytes[i];
    return true;
}

} // namespace

QString EonFrequency(int code, bool lfmf)
{
    return AfFrequencyText(code, lfmf);
}

TRdsEonState::TRdsEonState()
    : OnPs(8, '*')
    , PinDay(blanks(2))
    , PinHour(blanks(2))
    , PinMinute(blanks(2))
    , PinAmPm(blanks(2))
    , AfLines{blanks(LineWidth), blanks(LineWidth)}
    , MappedLines{tunedLine(), blanks(LineWidth)}
{}

void TRdsEon::decode(quint16 b, quint16 c, quint16 d, bool* onTa)
{
    if (d != m_s.LastEonPi)
        init();
    const int v = b & 0x0F;
    m_s.LastEonPi = d;
    m_s.EonVariant = quint8(v);
    switch (v) {
    case 0:
    case 1:
    case 2:
    case 3:
        m_s.OnPs[2 * v] = char(c >> 8);
        m_s.OnPs[2 * v + 1] = char(c & 0xFF);
        m_s.Seen[v] = true;
        break;
    case 4:
        for (int i = 5; i <= 9; ++i)
            m_s.Seen[i] = false;
        afPair(quint8(c >> 8), quint8(c & 0xFF));
        if (m_s.EonAfStarted)
            m_s.Seen[4] = true;
        break;
    case 5:
        m_s.Seen[5] = true;
        m_s.Seen[4] = false;
        m_s.MappedLines = {tunedLine(), blanks(TRdsEonState::LineWidth)};
        m_s.MappedPosition = 1;
        m_s.EonMappedStarted = true;
        mapped(v, c);
        break;
    case 6:
    case 7:
    case 8:
    case 9:
        if (m_s.EonMappedStarted) {
            mapped(v, c);
            m_s.Seen[v] = true;
        }
        break;
    case 12:
        m_s.Seen[12] = true;
        m_s.La = (c >> 15) & 1;
        m_s.Eg = (c >> 14) & 1;
        m_s.Ils = (c >> 12) & 1;
        m_s.Lsn = c & 0x0FFF;
        break;
    case 13:
        m_s.Seen[13] = true;
        m_s.OnPty = quint8(c >> 11);
        if (onTa)
            *onTa = (c & 1) != 0;
        break;
    case 14:
        m_s.Seen[14] = true;
        pin(c);
        break;
    default:
        break;
    }
}

void TRdsEon::afPair(quint8 c1, quint8 c2)
{
    if (c1 >= CountFirst && c1 <= CountLast) {
        m_s.EonAfStarted = true;
        const int count = c1 - CountFirst;
        if (count == m_s.EonAfLastCount) {
            m_s.EonAfSameList = true;
        } else {
            m_s.AfLines = {blanks(TRdsEonState::LineWidth), blanks(TRdsEonState::LineWidth)};
            m_s.AfPositions = {1, 1};
            m_s.EonLfMf = false;
            m_s.EonAfSameList = false;
            m_s.EonAfLastCount = quint8(count);
        }
    } else {
        afCode(c1);
    }
    // A count code only ever leads a pair.
    afCode(c2);
}

void TRdsEon::afCode(int code)
{
    if (isFrequency(code)) {
        if (m_s.EonAfStarted && !m_s.EonAfSameList)
            appendAf(code);
    } else if (code == LfMfFollows && m_s.EonAfStarted) {
        m_s.EonLfMf = true;
    }
}

void TRdsEon::appendAf(int code)
{
    const QString text = EonFrequency(code, m_s.EonLfMf);
    m_s.EonLfMf = false; // code 250 covers the next frequency only
    // The first line takes a text that ends by its last character; the second
    // takes the rest until full, and a text that no longer fits is dropped
    // whole rather than written in part.
    for (int line = 0; line < 2; ++line) {
        if (writeAt(m_s.AfLines[line], m_s.AfPositions[line], text)) {
            m_s.AfPositions[line] += text.size();
            return;
        }
    }
}

void TRdsEon::mapped(int variant, quint16 c)
{
    m_s.EonLfMf = variant == 9;
    const int tuned = c >> 8;
    if (variant == 5 && isFrequency(tuned))
        writeAt(m_s.MappedLines[0], TRdsEonState::TunedColumn, EonFrequency(tuned, false));
    // Fillers and codes outside the frequency range are no frequencies: they
    // would otherwise read as texts such as " 108.0".
    const int code = c & 0xFF;
    if (isFrequency(code)) {
        const QString text = EonFrequency(code, m_s.EonLfMf);
        if (writeAt(m_s.MappedLines[1], m_s.MappedPosition, text))
            m_s.MappedPosition += text.size();
    }
    // As in the AF list, LF/MF applies to this group's frequency only.
    m_s.EonLfMf = false;
}

void TRdsEon::pin(quint16 c)
{
    const int day = c >> 11;
    int hour = (c >> 6) & 0x1F;
    const int minute = c & 0x3F;
    const bool pm = hour >= 12;
    if (hour >= 13)
        hour -= 12;
    else if (hour == 0)
        hour = 12;
    m_s.PinDay = QString::asprintf("%02d", day).toLatin1();
    m_s.PinHour = QString::asprintf("%2d", hour).toLatin1();
    m_s.PinMinute = QString::asprintf("%02d", minute).toLatin1();
    m_s.PinAmPm = pm ? "PM" : "AM";
}
