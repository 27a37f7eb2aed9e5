#include "TestSupport.h"

#include "app/Connects.h"
#include "app/Forms.h"
#include "data/EventLog.h"
#include "link/Frame2.h"
#include "shell/PUListBox.h"

#include <QTextBlock>
#include <QTextEdit>
#include <gtest/gtest.h>

TEST(EventLog, LineFormats)
{
    const QDateTime t(QDate(2026, 3, 4), QTime(5, 6, 7));
    const QString time = QLocale::system().toString(t.date(), QLocale::ShortFormat) + " 05:06:07";
    EXPECT_EQ(FormatLogLine(lkError, "Connect2", " Oops ", t),
              "ERROR (" + time + "):   <Connect2>    Oops ");
    EXPECT_EQ(FormatLogLine(lkStatus, "Connect2", "up", t),
              "STATUS(" + time + "):   <Connect2>   up");
    EXPECT_EQ(FormatLogLine(lkDebug, "Connect2", " Detect 0", t), "DEBUG <Connect2>  Detect 0")
        << "a DEBUG line has no time stamp";
}

TEST(EventLog, Colours)
{
    EXPECT_EQ(LogLineColour("ERROR (x):   <C>   m"), TLogColour::Red);
    EXPECT_EQ(LogLineColour("STATUS(x):   <C>   ERROR in the word"), TLogColour::Red);
    EXPECT_EQ(LogLineColour("DEBUG <C> m"), TLogColour::Blue);
    EXPECT_EQ(LogLineColour("STATUS(x):   <C>   fine"), TLogColour::Black);
}

TEST(EventLog, NewestFirstInTheListAndBothViews)
{
    TempBase base;
    CreateForms();
    TFrame2* f = Connects->ConnectionByIndex(2);
    f->LogEvent("first", lkStatus);
    f->LogEvent("second", lkError);
    f->LogEvent("third", lkDebug);

    ASSERT_EQ(MessageLines->lines().size(), 3);
    EXPECT_TRUE(MessageLines->lines()[0].endsWith("third"));
    EXPECT_TRUE(MessageLines->lines()[2].endsWith("first"));

    QTextDocument* doc = Connects->RichEdit1->document();
    ASSERT_EQ(doc->blockCount(), 3);
    EXPECT_EQ(doc->firstBlock().text(), "DEBUG <Connect2> third");
    EXPECT_EQ(doc->firstBlock().begin().fragment().charFormat().foreground().color(),
              QColor(Qt::blue));
    EXPECT_EQ(doc->findBlockByNumber(1).begin().fragment().charFormat().foreground().color(),
              QColor(Qt::red));
    EXPECT_EQ(doc->lastBlock().begin().fragment().charFormat().foreground().color(),
              QColor(Qt::black));

    // The expanded window refills on activation and on every change while shown.
    PUListBox->show();
    QCoreApplication::sendPostedEvents();
    EXPECT_EQ(PUListBox->RichEdit1->document()->blockCount(), 3);
    f->LogEvent("fourth", lkStatus);
    QCoreApplication::sendPostedEvents();
    EXPECT_EQ(PUListBox->RichEdit1->document()->firstBlock().text().right(6), "fourth");

    // "Clear " empties both, and the hidden expanded window shows nothing when
    // next opened.
    PUListBox->hide();
    Connects->ClearLog();
    QCoreApplication::sendPostedEvents();
    EXPECT_TRUE(MessageLines->lines().isEmpty());
    EXPECT_TRUE(Connects->RichEdit1->toPlainText().isEmpty());
    PUListBox->show();
    QCoreApplication::sendPostedEvents();
    EXPECT_TRUE(PUListBox->RichEdit1->toPlainText().isEmpty());
    DestroyForms();

    // Without the Connections window there is no log, and logging does nothing.
    EXPECT_TRUE(MessageLines.isNull());
    TFrame2 orphan("Connect9");
    orphan.LogEvent("nobody listens", lkError);
}
