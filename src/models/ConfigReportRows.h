#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QtGlobal>
#include <functional>

// The rows of a unit-configuration report: the unit's settings beside the
// program's working copy, one row per setting. A row is a caption and the
// formatter that turns a configuration record into its text; header and blank
// rows have no formatter and show no values. The report window only lays the
// texts out, so each instrument family brings its own table of rows.
template <class Record>
struct TConfigReportRow
{
    QString caption;
    std::function<QString(const Record&)> format; // empty: a header or blank row

    bool hasValue() const { return bool(format); }
};

template <class Record>
using TConfigReportRows = QList<TConfigReportRow<Record>>;

// One column of the report: a text for every row, empty for rows without a value.
template <class Record>
QStringList ConfigReportColumn(const TConfigReportRows<Record>& rows, const Record& record)
{
    QStringList texts;
    texts.reserve(rows.size());
    for (const TConfigReportRow<Record>& row : rows)
        texts << (row.hasValue() ? row.format(record) : QString());
    return texts;
}

// Shown for a value that no text of its table names.
inline const QString ConfigReportOutOfRange = QStringLiteral("data out of range");

// The text at index v of texts, or fallback when the table has no such entry.
inline QString ConfigReportText(const QStringList& texts, qint64 v,
                                const QString& fallback = ConfigReportOutOfRange)
{
    return v >= 0 && v < texts.size() ? texts[qsizetype(v)] : fallback;
}

// An alarm's action word: relay, e-mail group and display field.
QString AlarmActionText(qint32 action);
