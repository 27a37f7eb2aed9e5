#include "data/EventLog.h"

#include <QLocale>

QPointer<TEventLog> MessageLines;

TEventLog::TEventLog(QObject* parent)
    : QObject(parent)
{}

void TEventLog::add(const QString& line)
{
    m_lines.prepend(line);
    emit lineAdded(line);
}

void TEventLog::clear()
{
    m_lines.clear();
    emit cleared();
}

QString FormatLogLine(int kind, const QString& connectionName, const QString& message,
                      const QDateTime& when)
{
    const QLocale locale = QLocale::system();
    const QString time =
        locale.toString(when.date(), QLocale::ShortFormat) + " " + when.time().toString("HH:mm:ss");
    switch (kind) {
    case lkError:
        return "ERROR (" + time + "):   <" + connectionName + ">   " + message;
    case lkStatus:
        return "STATUS(" + time + "):   <" + connectionName + ">   " + message;
    default:
        return "DEBUG <" + connectionName + "> " + message;
    }
}

TLogColour LogLineColour(const QString& line)
{
    if (line.contains("ERROR"))
        return TLogColour::Red;
    if (line.contains("DEBUG"))
        return TLogColour::Blue;
    return TLogColour::Black;
}
