#pragma once

#include <QStringList>

class QTextEdit;

// The event log as coloured lines, newest at the top.
void PrependLogLine(QTextEdit* view, const QString& line);
void FillLogView(QTextEdit* view, const QStringList& lines);
