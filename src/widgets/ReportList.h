#pragma once

#include <QStringList>

class QTreeWidget;
class QWidget;

// A list in report style: flat rows, no expand decoration, uniform row heights
// and a first column one pixel wide that holds the (empty) row caption, so
// that a visible column's index is its sub-item number.
QTreeWidget* makeReportList(QWidget* parent, const QString& name, const QStringList& columns);

// Appends one row: an empty caption, then the texts from column 1 on.
void addReportRow(QTreeWidget* list, const QStringList& texts);

// Makes the list show exactly these rows (each from column 1 on), reusing its
// rows and setting only the texts that differ: a list refreshed with every
// block costs nothing while its values stand still.
void setReportRows(QTreeWidget* list, const QList<QStringList>& rows);
