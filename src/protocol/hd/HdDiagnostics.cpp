#include "protocol/hd/HdDiagnostics.h"

#include "common/FieldHelpers.h"

#include <algorithm>

namespace {

constexpr int LineBytes = 80;

} // namespace

QString HdDiagnosticSeparator()
{
    return QString(48, QChar('*'));
}

QStringList HdDiagnosticLines(const THistoryDataRec& d)
{
    QStringList out = {
        "DData ID: " + IntField(d.Id, 4),
        "DData Type: " + IntField(d.Type, 4),
        "DData Len: " + IntField(d.Len, 6),
        "DData Index: " + IntField(d.Index, 6),
        HdDiagnosticSeparator(),
    };
    const qint64 held = qint64(d.Data.size());
    const qint64 count = std::clamp<qint64>(d.Len, 0, std::min<qint64>(held, HdDiagnosticBytes));

    QString line;
    int counter = 0;
    for (qint64 i = 0; i < count; ++i) {
        const quint8 b = d.Data[size_t(i)];
        if (b == '\r') {
            line += QStringLiteral("[CR]");
        } else if (b == '\n') {
            line += QStringLiteral("[LF]");
            out << line;
            line.clear();
            counter = 0;
        } else {
            line += QChar(char16_t(b)); // Latin-1
        }
        const qsizetype marker = line.indexOf(QStringLiteral("***"));
        if (marker >= 0) {
            line.remove(marker, 3);
            out << line << HdDiagnosticSeparator();
            line.clear();
            counter = 0;
        }
        // A byte that ended a line counts as the first of the next one.
        if (++counter == LineBytes) {
            out << line;
            line.clear();
            counter = 0;
        }
    }
    out << line;
    return out;
}

double HdDiagnosticProgress(const THistoryDataRec& d)
{
    if (d.Len == 0)
        return 0.0;
    const double p = (double(d.Index) + 340.0) / double(d.Len) * 100.0;
    return std::clamp(p, 0.0, 100.0);
}

QString HdDiagnosticLabel(const THistoryDataRec& d)
{
    const double p = HdDiagnosticProgress(d);
    if (p >= 100.0)
        return QStringLiteral("Complete");
    return "Downloading(" + RealField(4, 1, p) + "%)";
}
