#pragma once

#include "common/Enums.h"

#include <QDateTime>
#include <QObject>
#include <QPointer>
#include <QStringList>

// The event log shared by the eight connections: newest line first, never
// trimmed, emptied only by "Clear ".
class TEventLog : public QObject
{
    Q_OBJECT
public:
    explicit TEventLog(QObject* parent = nullptr);

    const QStringList& lines() const { return m_lines; }
    void add(const QString& line);
    void clear();

signals:
    void lineAdded(const QString& line);
    void cleared();

private:
    QStringList m_lines;
};

// The program's one event log, owned by the Connections window. While it does
// not exist (before start-up, during shut-down) nothing is logged.
extern QPointer<TEventLog> MessageLines;

// "ERROR (" time "):   <" name ">   " message, "STATUS(" ... or "DEBUG <" name "> " message.
QString FormatLogLine(int kind, const QString& connectionName, const QString& message,
                      const QDateTime& when);

// How a line is shown: red when it contains "ERROR", else blue when it contains
// "DEBUG", else black.
enum class TLogColour
{
    Black,
    Red,
    Blue
};
TLogColour LogLineColour(const QString& line);
