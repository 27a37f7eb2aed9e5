#include "protocol/hd/HdHistoryExport.h"

#include "common/FieldHelpers.h"
#include "common/WholeFile.h"

#include <QDir>

QString HdHistoryStampText(const QDateTime& stamp)
{
    return stamp.toString("yyyy-MM-dd hh:mm:ss");
}

QString HdHistoryFileName(const QString& title, const QDateTime& stamp)
{
    const QDate d = stamp.date();
    const QTime t = stamp.time();
    return title + " " + ZeroPadInt(d.month(), 2) + ZeroPadInt(d.day(), 2) +
           IntField(d.year(), 4) + " " + ZeroPadInt(t.hour(), 2) + "H" +
           ZeroPadInt(t.minute(), 2) + "M" + ZeroPadInt(t.second(), 2) + "S" + ".txt";
}

QStringList HdHistoryExportLines(const QDateTime& stamp, const THdHistoryRows& rows)
{
    QStringList lines{HdHistoryStampText(stamp), "HData ID: " + IntField(rows.id, 4),
                      "HData Type: " + IntField(rows.type, 4),
                      "HData Len: " + IntField(rows.len, 6),
                      HdHistoryCsvLine(rows.titles)};
    lines.reserve(5 + int(rows.cells.size()));
    for (const auto& row : rows.cells)
        lines << HdHistoryCsvLine(row);
    return lines;
}

bool WriteHdHistoryExport(const QString& folder, const QString& fileName,
                          const QStringList& lines, QString* error)
{
    auto fail = [&](const QString& why) {
        if (error)
            *error = why;
        return false;
    };
    if (!QDir().mkpath(folder))
        return fail(QString("The folder %1 cannot be made.").arg(QDir::toNativeSeparators(folder)));
    QByteArray bytes;
    for (const QString& line : lines)
        bytes += line.toLatin1() + "\r\n";
    return SaveWholeFile(QDir(folder).filePath(fileName), bytes, error);
}
