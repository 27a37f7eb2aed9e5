#include "shell/EventLogView.h"

#include "data/EventLog.h"

#include <QTextCursor>
#include <QTextEdit>

namespace {

QTextCharFormat formatFor(const QString& line)
{
    QTextCharFormat f;
    switch (LogLineColour(line)) {
    case TLogColour::Red:
        f.setForeground(Qt::red);
        break;
    case TLogColour::Blue:
        f.setForeground(Qt::blue);
        break;
    case TLogColour::Black:
        f.setForeground(Qt::black);
        break;
    }
    return f;
}

} // namespace

void PrependLogLine(QTextEdit* view, const QString& line)
{
    QTextCursor c(view->document());
    c.movePosition(QTextCursor::Start);
    if (view->document()->isEmpty()) {
        c.insertText(line, formatFor(line));
        return;
    }
    c.insertText(line, formatFor(line));
    c.insertBlock();
}

void FillLogView(QTextEdit* view, const QStringList& lines)
{
    view->clear();
    QTextCursor c(view->document());
    bool first = true;
    for (const QString& line : lines) {
        if (!first)
            c.insertBlock();
        c.insertText(line, formatFor(line));
        first = false;
    }
}
