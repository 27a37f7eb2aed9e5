// A report list refreshed with its rows shows exactly those rows, whatever
// came before; rows that came in at the top of a log are inserted there and
// the rows below are left as they were.
#include "widgets/ReportList.h"

#include <QSignalSpy>
#include <QTreeWidget>
#include <QWidget>
#include <gtest/gtest.h>

namespace {

QList<QStringList> rowsOf(const QTreeWidget* list)
{
    QList<QStringList> rows;
    for (int r = 0; r < list->topLevelItemCount(); ++r) {
        QStringList texts;
        for (int c = 1; c < list->columnCount(); ++c)
            texts << list->topLevelItem(r)->text(c);
        rows << texts;
    }
    return rows;
}

QList<QStringList> log(int from, int to) // newest (highest) first
{
    QList<QStringList> rows;
    for (int i = to; i >= from; --i)
        rows.append({QString("event %1").arg(i), QString::number(i % 3)});
    return rows;
}

} // namespace

TEST(ReportList, ShowsExactlyTheRowsGiven)
{
    const QList<QStringList> same = {{"0", "0"}, {"0", "0"}, {"0", "0"}};
    const struct
    {
        const char* what;
        QList<QStringList> before, after;
    } cases[] = {
        {"into an empty list", {}, log(1, 4)},
        {"one in at the top", log(1, 4), log(1, 5)},
        {"three in, the oldest out", log(1, 4), log(4, 7)},
        {"more in than were shown", log(1, 2), log(1, 9)},
        {"a value changed in the middle", log(1, 4), {log(4, 4)[0], {"x", "y"}, log(1, 2)[0],
                                                      log(1, 1)[0]}},
        {"rows alike, the first changed", same, {{"1", "0"}, {"0", "0"}, {"0", "0"}}},
        {"rows alike, one in at the top", same, {{"1", "0"}, {"0", "0"}, {"0", "0"}, {"0", "0"}}},
        {"short rows", {{"a"}, {"b", "c"}}, {{"z"}, {"a"}, {"b", "c"}, {}}},
        {"all gone", log(1, 4), {}},
        {"nothing in common", log(1, 4), log(10, 12)},
    };
    QWidget parent;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        QTreeWidget* list = makeReportList(&parent, "List", {"Event", "Kind"});
        setReportRows(list, c.before);
        setReportRows(list, c.after);
        QList<QStringList> expected;
        for (const QStringList& r : c.after)
            expected << QStringList{r.value(0), r.value(1)};
        EXPECT_EQ(rowsOf(list), expected);
        delete list;
    }
}

TEST(ReportList, RowsInAtTheTopLeaveTheRowsBelowAlone)
{
    QWidget parent;
    QTreeWidget* list = makeReportList(&parent, "List", {"Event", "Kind"});
    setReportRows(list, log(1, 500));
    QTreeWidgetItem* newest = list->topLevelItem(0);
    list->setCurrentItem(list->topLevelItem(3));
    QSignalSpy changed(list->model(), &QAbstractItemModel::dataChanged);

    setReportRows(list, log(3, 502));
    EXPECT_EQ(rowsOf(list), log(3, 502));
    // The two new rows' texts, and nothing of the rows that moved down.
    EXPECT_LE(changed.size(), 2 * 2);
    EXPECT_EQ(list->topLevelItem(2), newest);
    // The event chosen stays chosen as it moves down.
    EXPECT_EQ(list->currentItem()->text(1), "event 497");
}
