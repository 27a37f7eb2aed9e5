#include "widgets/ReportList.h"

#include <QHeaderView>
#include <QTreeWidget>

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

void setReportRows(QTreeWidget* list, const QList<QStringList>& rows)
{
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
