#include "panels/RawDump.h"

#include "common/FieldHelpers.h"

#include <QAbstractItemView>
#include <QFontDatabase>
#include <QGlyphRun>
#include <QGridLayout>
#include <QLabel>
#include <QListWidget>
#include <QPaintEvent>
#include <QPainter>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalBlocker>
#include <algorithm>
#include <array>
#include <cmath>
#include <limits>

PlainLineDelegate::PlainLineDelegate(QObject* parent)
    : QStyledItemDelegate(parent)
{
    if (auto* view = qobject_cast<QAbstractItemView*>(parent)) {
        m_viewport = view->viewport();
        m_viewport->installEventFilter(this);
    }
}

bool PlainLineDelegate::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_viewport) {
        if (event->type() == QEvent::Paint)
            m_dirty = static_cast<QPaintEvent*>(event)->region();
        return false;
    }
    return QStyledItemDelegate::eventFilter(watched, event);
}

const TPlainGlyphs& PlainLineDelegate::glyphsFor(const QFont& font) const
{
    if (!m_tableMade || m_table.font != font) {
        m_table = TPlainGlyphs::make(font);
        m_tableMade = true;
    }
    return m_table;
}

QRect PlainLineDelegate::columns(const QRect& line, const QFont& font, const QString& text,
                                 qsizetype from, qsizetype to) const
{
    const TPlainGlyphs& table = glyphsFor(font);
    if (!table.complete || !TPlainGlyphs::isPrintable(text))
        return line;
    qreal left = line.left() + textMargin;
    qreal right = left;
    for (qsizetype i = 0; i < to && i < text.size(); ++i) {
        const qreal advance = table.advance(text[i]);
        if (i < from)
            left += advance;
        right += advance;
    }
    return QRect(QPoint(int(std::floor(left)) - table.overhang, line.top()),
                 QPoint(int(std::ceil(right)) + table.overhang, line.bottom()))
        .intersected(line);
}

void PlainLineDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                              const QModelIndex& index) const
{
    // Whatever is drawn outside the dirty region is clipped away anyway.
    const bool onViewport = m_viewport && painter->device() == m_viewport;
    if (onViewport && !m_dirty.intersects(option.rect))
        return;
    const bool selected = option.state & QStyle::State_Selected;
    if (selected)
        painter->fillRect(option.rect, option.palette.highlight());
    painter->setPen(option.palette.color(selected ? QPalette::HighlightedText : QPalette::Text));
    painter->setFont(option.font);
    const QRect box = option.rect.adjusted(textMargin, 0, 0, 0);
    const QString text = index.data(Qt::DisplayRole).toString();
    const TPlainGlyphs& table = glyphsFor(option.font);
    if (!TPlainGlyphs::isPrintable(text) || !table.complete || text.isEmpty()) {
        painter->drawText(box, Qt::AlignLeft | Qt::AlignVCenter, text);
        return;
    }
    // Of a line repainted in part, the glyphs whose ink reaches the part.
    const QRegion part = onViewport ? m_dirty & option.rect : QRegion();
    const bool whole = !onViewport || part == QRegion(option.rect);
    auto reaches = [&](qreal from, qreal to) {
        for (const QRect& r : part) {
            if (from <= r.right() + 1 && to >= r.left())
                return true;
        }
        return false;
    };
    m_runGlyphs.resize(0);
    m_runPositions.resize(0);
    const qreal ascent = table.raw.ascent();
    const qreal height = ascent + table.raw.descent();
    const qreal baseline = box.top() + std::round((box.height() - height) / 2 + ascent);
    qreal x = box.left();
    for (qsizetype i = 0; i < text.size(); ++i) {
        const qreal advance = table.advance(text[i]);
        if (whole || reaches(x - table.overhang, x + advance + table.overhang)) {
            m_runGlyphs.append(table.glyph(text[i]));
            m_runPositions.append(QPointF(x, 0));
        }
        x += advance;
    }
    if (m_runGlyphs.isEmpty())
        return;
    QGlyphRun run;
    run.setRawFont(table.raw);
    run.setGlyphIndexes(m_runGlyphs);
    run.setPositions(m_runPositions);
    painter->drawGlyphRun(QPointF(0, baseline), run);
}

TRawDataFace buildRawDataFace(QWidget* window, int topLeft, int topRight, int bottom)
{
    const QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    TRawDataFace face;
    face.ListBox1 = new QListWidget(window);
    face.ListBox1->setObjectName("ListBox1");
    face.ListBox2 = new QListWidget(window);
    face.ListBox2->setObjectName("ListBox2");
    face.ListBox3 = new QListWidget(window);
    face.ListBox3->setObjectName("ListBox3");
    QListWidget* const lists[] = {face.ListBox1, face.ListBox2, face.ListBox3};
    for (QListWidget* l : lists) {
        l->setFont(fixed);
        l->setUniformItemSizes(true);
        l->setItemDelegate(new PlainLineDelegate(l));
    }
    lists[topLeft - 1]->setFixedHeight(120);
    lists[topRight - 1]->setFixedHeight(120);
    face.Button1 = new QPushButton("Pause", window);
    face.Button1->setObjectName("Button1");
    face.Label1 = new QLabel("Block Num = ", window);
    face.Label1->setObjectName("Label1");
    face.Label2 = new QLabel("Checksums = ", window);
    face.Label2->setObjectName("Label2");
    for (QLabel* l : {face.Label1, face.Label2}) {
        l->setFont(fixed);
        l->setTextFormat(Qt::PlainText);
    }

    auto* grid = new QGridLayout(window);
    grid->setContentsMargins(8, 8, 8, 8);
    grid->addWidget(lists[topLeft - 1], 0, 0, 1, 2);
    grid->addWidget(lists[topRight - 1], 0, 2, 1, 2);
    grid->addWidget(face.Button1, 1, 0);
    grid->addWidget(face.Label1, 1, 1);
    grid->addWidget(face.Label2, 1, 2, 1, 2);
    grid->addWidget(lists[bottom - 1], 2, 0, 1, 4);
    grid->setRowStretch(2, 1);
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(3, 1);
    return face;
}

void appendCapped(QListWidget* list, const QString& text, int maxLines)
{
    list->addItem(text);
    while (list->count() > maxLines)
        delete list->takeItem(0);
    list->scrollToBottom();
}

namespace {

// A line of the same length rewritten: the list is not told (it would
// repaint the whole line, and the repaints of many lines merge into one
// band) and the cells that changed are repainted instead. A line off the
// screen needs no repaint: the list reads it when it scrolls into sight.
void rewriteCells(QListWidget* list, PlainLineDelegate* plain, QListWidgetItem* item,
                  const QString& before, const QString& text, bool maybeShown)
{
    if (!plain || before.size() != text.size()) {
        item->setText(text);
        return;
    }
    {
        const QSignalBlocker quiet(list->model());
        item->setText(text);
    }
    if (!maybeShown)
        return;
    const QRect line = list->visualItemRect(item);
    if (!line.intersects(list->viewport()->rect()))
        return;
    QRegion changed;
    for (qsizetype i = 0; i < text.size();) {
        if (before[i] == text[i]) {
            ++i;
            continue;
        }
        qsizetype end = i + 1;
        while (end < text.size() && before[end] != text[end])
            ++end;
        changed += plain->columns(line, list->font(), text, i, end);
        i = end;
    }
    list->viewport()->update(changed);
}

} // namespace

void dumpBlock(QListWidget* list, const QByteArray& block, TPartialLine partial)
{
    const int top = list->verticalScrollBar()->value();
    auto* plain = qobject_cast<PlainLineDelegate*>(list->itemDelegate());
    // The rows on the screen, when the list can tell.
    int firstShown = 0;
    int lastShown = std::numeric_limits<int>::max();
    if (list->isVisible()) {
        if (QListWidgetItem* first = list->itemAt(QPoint(1, 1)))
            firstShown = list->row(first);
        if (QListWidgetItem* last = list->itemAt(QPoint(1, list->viewport()->height() - 1)))
            lastShown = list->row(last);
    }
    QString line;
    int k = 0;
    auto put = [&](const QString& text) {
        if (QListWidgetItem* item = list->item(k)) {
            const QString before = item->text();
            if (before != text)
                rewriteCells(list, plain, item, before, text, k >= firstShown && k <= lastShown);
        } else {
            list->addItem(text);
        }
        ++k;
        line.clear();
    };
    // The text of each byte value is made once: the dump is rewritten with
    // every block.
    static const std::array<QString, 256> cells = [] {
        std::array<QString, 256> c;
        for (int b = 0; b < 256; ++b)
            c[size_t(b)] = SpacePadInt(b, 3) + "[" + ByteToHex2(quint8(b)) + "] ";
        return c;
    }();
    for (qsizetype i = 1; i <= block.size(); ++i) {
        // A byte is a number from 0 to 255, not a signed char.
        line += cells[quint8(block[i - 1])];
        if (i % 10 == 0)
            put(SpacePadInt(i - 10, 4) + "  " + line);
    }
    if (!line.isEmpty()) {
        if (partial == TPartialLine::WithOffset)
            put(SpacePadInt(block.size() - block.size() % 10, 4) + "  " + line);
        else if (partial == TPartialLine::WithoutOffset)
            put(line);
    }
    list->verticalScrollBar()->setValue(top);
}
