#include "widgets/ReportList.h"

#include <QHeaderView>
#include <QTreeWidget>
#include <algorithm>

QTreeWidget* makeReportList(QWidget* parent, const QString& name, const QStringList& columns)
{
    auto* list = new QTreeWidget(parent);
    list->setObjectName(name);
    list->setColumnCount(int(columns.size()) + 1);
    list->setHeaderLabels(QStringList{QString()} + columns);
    list->setRootIsDecorated(false);
    list->setIndentation(0);
    list->setItemsExpandable(false);
    list->setUniformRowHeights(true);
    list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list->setSelectionBehavior(QAbstractItemView::SelectRows);
    list->header()->setSectionsMovable(false);
    list->header()->setStretchLastSection(false);
    list->header()->setMinimumSectionSize(1);
    list->header()->resizeSection(0, 1);
    for (int c = 1; c <= columns.size(); ++c)
        list->header()->resizeSection(
            c, qMax(60, list->fontMetrics().horizontalAdvance(columns[c - 1]) + 16));
    return list;
}

void addReportRow(QTreeWidget* list, const QStringList& texts)
{
    auto* item = new QTreeWidgetItem(list);
    for (int c = 0; c < texts.size() && c + 1 < list->columnCount(); ++c)
        item->setText(c + 1, texts[c]);
}

namespace {

bool rowShows(const QTreeWidgetItem* item, const QStringList& texts, int columns)
{
    for (int c = 1; c < columns; ++c)
        if (item->text(c) != texts.value(c - 1))
            return false;
    return true;
}

// How many rows came in at the top of a list that otherwise reads on as it
// did (a log, newest first): 0 when none or when it is not so.
qsizetype rowsComeInAtTop(const QTreeWidget* list, const QList<QStringList>& rows)
{
    const int shown = list->topLevelItemCount();
    if (shown == 0 || rows.isEmpty())
        return 0;
    const int columns = list->columnCount();
    const QTreeWidgetItem* first = list->topLevelItem(0);
    if (rowShows(first, rows[0], columns))
        return 0;
    for (qsizetype k = 1; k < rows.size(); ++k) {
        if (!rowShows(first, rows[k], columns))
            continue;
        const qsizetype kept = std::min<qsizetype>(shown, rows.size() - k);
        bool follows = true;
        for (qsizetype r = 1; r < kept && follows; ++r)
            follows = rowShows(list->topLevelItem(int(r)), rows[k + r], columns);
        if (follows)
            return k;
    }
    return 0;
}

} // namespace

void setReportRows(QTreeWidget* list, const QList<QStringList>& rows)
{
    // Rows that came in at the top are inserted there: the rows below keep
    // their texts, and the list is not told of every one of them changing.
    if (const qsizetype added = rowsComeInAtTop(list, rows)) {
        QList<QTreeWidgetItem*> items;
        items.reserve(added);
        for (qsizetype r = 0; r < added; ++r)
            items << new QTreeWidgetItem;
        list->insertTopLevelItems(0, items);
    }
    while (list->topLevelItemCount() > rows.size())
        delete list->takeTopLevelItem(list->topLevelItemCount() - 1);
    while (list->topLevelItemCount() < rows.size())
        new QTreeWidgetItem(list);
    const int columns = list->columnCount();
    for (int r = 0; r < rows.size(); ++r) {
        QTreeWidgetItem* item = list->topLevelItem(r);
        for (int c = 1; c < columns; ++c) {
            const QString text = rows[r].value(c - 1);
            if (item->text(c) != text)
                item->setText(c, text);
        }
    }
}
