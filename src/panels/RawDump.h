#pragma once

#include <QByteArray>
#include <QStyledItemDelegate>

class QListWidget;

// What the raw-data windows of every family share: a capped list of link
// lines and the dump of a block, ten bytes a line as "200[C8] ".

// Appends a line and drops the oldest past maxLines; keeps the newest in view.
void appendCapped(QListWidget* list, const QString& text, int maxLines);

// What becomes of the bytes after the last full line of ten.
enum class TPartialLine
{
    Skip,          // refreshes rewrite the full lines only
    WithOffset,    // "2730  " + the bytes
    WithoutOffset, // the bytes alone
};

// Writes the dump of block into list from its first line, rewriting a line
// only when its text changed and appending lines the list lacks. The view's
// scroll position is kept.
void dumpBlock(QListWidget* list, const QByteArray& block, TPartialLine partial);

// The dump changes with every block, so its lines are drawn the short way:
// one run of fixed-pitch text each, without the style's per-item layout of
// icon, check box and elision, which cost more than the text itself.
class PlainLineDelegate : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
};
