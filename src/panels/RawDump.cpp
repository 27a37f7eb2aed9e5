#include "panels/RawDump.h"

#include "common/FieldHelpers.h"
#include "widgets/SetIfChanged.h"

#include <QListWidget>
#include <QPainter>
#include <QScrollBar>
#include <array>

void PlainLineDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                              const QModelIndex& index) const
{
    const bool selected = option.state & QStyle::State_Selected;
    if (selected)
        painter->fillRect(option.rect, option.palette.highlight());
    painter->setPen(option.palette.color(selected ? QPalette::HighlightedText : QPalette::Text));
    painter->setFont(option.font);
    painter->drawText(option.rect.adjusted(2, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter,
                      index.data(Qt::DisplayRole).toString());
}

void appendCapped(QListWidget* list, const QString& text, int maxLines)
{
    list->addItem(text);
    while (list->count() > maxLines)
        delete list->takeItem(0);
    list->scrollToBottom();
}

void dumpBlock(QListWidget* list, const QByteArray& block, TPartialLine partial)
{
    const int top = list->verticalScrollBar()->value();
    QString line;
    int k = 0;
    auto put = [&](const QString& text) {
        if (QListWidgetItem* item = list->item(k))
            setIfChanged(
                text, [&] { return item->text(); }, [&](const QString& t) { item->setText(t); });
        else
            list->addItem(text);
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
