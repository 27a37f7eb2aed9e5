#include "protocol/hd/HdHistoryRows.h"

#include "common/FieldHelpers.h"

#include <algorithm>

namespace {

struct TLayout
{
    int stride;
    int series;
    QStringList titles; // after "Time(min)"
};

bool layoutOf(int type, TLayout& l)
{
    switch (type) {
    case 2:
        l = {2, 1, {"Inj(RMS)"}};
        return true;
    case 3:
        l = {6, 3, {"Peak(%)", "Ave(%)", "Min(%)"}};
        return true;
    case 4:
        l = {4, 2, {"Fast(dB)", "Ave(dB)", "   "}};
        return true;
    case 5:
        l = {8, 2, {"Fast(samples)", "Ave(samples)", "   "}};
        return true;
    case 6:
        l = {4, 1, {"Delay(min.sec)"}};
        return true;
    case 7:
        l = {8, 2, {"Fast Error(ms)", "Ave Error(ms)", "   "}};
        return true;
    default:
        return false;
    }
}

quint32 u16At(const std::vector<quint8>& d, size_t at)
{
    return quint32(d[at]) << 8 | d[at + 1];
}

qint32 s32At(const std::vector<quint8>& d, size_t at)
{
    return qint32(PackBytes32(d[at], d[at + 1], d[at + 2], d[at + 3]));
}

// A reading that overflows its field is written as wide as it needs, so
// neither the table nor the file ever loses one to asterisks.
QString widened(const QString& field, const QString& full)
{
    return field.contains('*') ? full : field;
}

QString samplesText(qint32 v)
{
    return widened(SignedIntField(v, 6), v > 0 ? "+" + QString::number(v) : QString::number(v));
}

QString delayText(double v)
{
    return widened(RealField(8, 6, v), QString::number(v, 'f', 6));
}

} // namespace

int HdHistoryStride(int type)
{
    TLayout l;
    return layoutOf(type, l) ? l.stride : 0;
}

QString HdHistoryCsvLine(const std::array<QString, HdHistoryColumns>& cells)
{
    QString line;
    bool first = true;
    for (const QString& c : cells) {
        if (c.isEmpty())
            continue;
        if (!first)
            line += ',';
        line += c;
        first = false;
    }
    return line;
}

QString HdHistoryCsvLine(const QStringList& cells)
{
    std::array<QString, HdHistoryColumns> a;
    for (int c = 0; c < HdHistoryColumns && c < cells.size(); ++c)
        a[size_t(c)] = cells[c];
    return HdHistoryCsvLine(a);
}

THdHistoryRows DecodeHdHistoryRows(const THistoryDataRec& h)
{
    THdHistoryRows out;
    out.id = h.Id;
    out.type = h.Type;
    out.len = h.Len;
    out.header = QStringList{"HData ID: " + IntField(h.Id, 4), "HData Type: " + IntField(h.Type, 4),
                             "HData Len: " + IntField(h.Len, 6),
                             "HData Index: " + IntField(h.Index, 6)};
    out.listLines = out.header;
    TLayout l;
    if (!layoutOf(h.Type, l))
        return out;

    out.known = true;
    out.seriesCount = l.series;
    out.titles = QStringList{"Time(min)"} + l.titles;
    while (out.titles.size() < HdHistoryColumns)
        out.titles << QString();
    out.cells.resize(HdHistoryMinutes);
    for (auto& v : out.values)
        v.assign(HdHistoryMinutes, 0.0);
    out.listLines.reserve(4 + HdHistoryMinutes);

    // Rows past what the download holds stay empty: never bytes of an
    // earlier one.
    const size_t available = size_t(std::clamp<qint64>(h.Len, 0, qint64(h.Data.size())));
    for (int k = 0; k < HdHistoryMinutes; ++k) {
        auto& row = out.cells[size_t(k)];
        row[0] = IntField(k + 1, 5);
        const size_t at = size_t(k) * size_t(l.stride);
        QStringList texts;
        if (at + size_t(l.stride) <= available) {
            double v[3] = {0, 0, 0};
            switch (h.Type) {
            case 2:
            case 3:
                for (int s = 0; s < l.series; ++s) {
                    v[s] = u16At(h.Data, at + 2 * size_t(s)) / 10.0;
                    texts << RealField(6, 1, v[s]);
                }
                break;
            case 4:
                for (int s = 0; s < 2; ++s) {
                    const qint32 raw = qint32(u16At(h.Data, at + 2 * size_t(s)));
                    v[s] = (raw > 0x8000 ? raw - 65536 : raw) / 10.0;
                    texts << FixedField(5, 1, v[s]);
                }
                break;
            case 5:
                for (int s = 0; s < 2; ++s) {
                    const qint32 raw = s32At(h.Data, at + 4 * size_t(s));
                    v[s] = raw;
                    texts << samplesText(raw);
                }
                break;
            case 6:
                v[0] = s32At(h.Data, at) / 1000000.0;
                texts << delayText(v[0]);
                break;
            case 7:
                for (int s = 0; s < 2; ++s) {
                    v[s] = s32At(h.Data, at + 4 * size_t(s)) / 1000.0;
                    texts << FixedField(8, 6, v[s]);
                }
                break;
            }
            for (int s = 0; s < 3; ++s)
                out.values[size_t(s)][size_t(k)] = v[s];
            for (int c = 0; c < texts.size(); ++c)
                row[size_t(c) + 1] = texts[c];
        }
        out.listLines << (texts.isEmpty() ? row[0] : row[0] + "  " + texts.join("   "));
    }
    return out;
}
