#pragma once

#include "widgets/PlainGlyphs.h"

#include <QByteArray>
#include <QFont>
#include <QList>
#include <QPointF>
#include <QRegion>
#include <QStyledItemDelegate>

class QLabel;
class QListWidget;
class QPushButton;
class QWidget;

// What the raw-data windows of every family share: a capped list of link
// lines and the dump of a block, ten bytes a line as "200[C8] ".

// The face every raw-data window shows: ListBox1..3 in fixed-pitch plain
// lines, the "Pause" button and the block-number and checksum labels. Two
// lists stand side by side over the button and labels, the third (the block's
// dump) fills the rest; top-left, top-right and bottom name them 1..3, as each
// family numbers them its own way.
struct TRawDataFace
{
    QListWidget* ListBox1 = nullptr;
    QListWidget* ListBox2 = nullptr;
    QListWidget* ListBox3 = nullptr;
    QPushButton* Button1 = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
};
TRawDataFace buildRawDataFace(QWidget* window, int topLeft, int topRight, int bottom);

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
// only when its text changed and appending lines the list lacks; of a line
// rewritten, only the cells that changed are repainted. The view's scroll
// position is kept.
void dumpBlock(QListWidget* list, const QByteArray& block, TPartialLine partial);

// The dump changes with every block, so its lines are drawn the short way:
// one run of fixed-pitch text each, without the style's per-item layout of
// icon, check box and elision, which cost more than the text itself. Nearly
// every visible line is new with every block, so nothing is gained by keeping
// shaped lines; instead a line of printable ASCII is not shaped at all: each
// character maps straight to its glyph and the glyphs stand at the font's
// advances. Any other line is laid out as text.
//
// A block changes a byte here and there: dumpBlock repaints only the cells
// that changed, and a line is drawn only where the viewport's paint has to
// cover (the view of the parent, when the parent is one).
class PlainLineDelegate : public QStyledItemDelegate
{
    Q_OBJECT
public:
    explicit PlainLineDelegate(QObject* parent = nullptr);
    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;

    // Where characters from .. to (not included) of a line drawn in line,
    // with room on either side for ink that overhangs its cell; the whole
    // line when its characters cannot be placed the short way.
    QRect columns(const QRect& line, const QFont& font, const QString& text, qsizetype from,
                  qsizetype to) const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    const TPlainGlyphs& glyphsFor(const QFont& font) const;
    // Between a line's left edge and its text.
    static constexpr int textMargin = 2;

    QWidget* m_viewport = nullptr;
    // What the viewport's paint in progress has to cover.
    QRegion m_dirty;
    mutable TPlainGlyphs m_table;
    mutable bool m_tableMade = false;
    mutable QList<quint32> m_runGlyphs;
    mutable QList<QPointF> m_runPositions;
};
