#include "tavr1/Tavr1_RawData.h"

#include "common/FieldHelpers.h"
#include "link/Frame2.h"
#include "platform/UserMessages.h"
#include "tavr1/Tavr1_ChildArgs.h"
#include "widgets/SetIfChanged.h"

#include <QFontDatabase>
#include <QGridLayout>
#include <QLabel>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QStyledItemDelegate>
#include <array>

namespace {

QString hex4(quint16 v)
{
    return ByteToHex2(quint8(v >> 8)) + ByteToHex2(quint8(v & 0xFF));
}

// The dump changes with every block, so its lines are drawn the short way:
// one run of fixed-pitch text each, without the style's per-item layout of
// icon, check box and elision, which cost more than the text itself.
class PlainLineDelegate : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override
    {
        const bool selected = option.state & QStyle::State_Selected;
        if (selected)
            painter->fillRect(option.rect, option.palette.highlight());
        painter->setPen(
            option.palette.color(selected ? QPalette::HighlightedText : QPalette::Text));
        painter->setFont(option.font);
        painter->drawText(option.rect.adjusted(2, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter,
                          index.data(Qt::DisplayRole).toString());
    }
};

void appendCapped(QListWidget* list, const QString& text)
{
    list->addItem(text);
    while (list->count() > TTavr1RawData::MaxListLines)
        delete list->takeItem(0);
    list->scrollToBottom();
}

} // namespace

TTavr1RawData::TTavr1RawData(const TChildWindowArgs& args)
    : TInstrumentChildWindow(tavr1WindowArgs(args, 0), Kind, UM_TAVR1_REFRESH,
                             TRefreshPolicy::AnyLParam)
{
    setDesignedName(WindowToken::Tavr1RawData, " Tavr-1 Raw Data");
    resize(798, 564);

    const QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(8, 8, 8, 8);
    ListBox1 = new QListWidget(this);
    ListBox1->setObjectName("ListBox1");
    ListBox2 = new QListWidget(this);
    ListBox2->setObjectName("ListBox2");
    ListBox3 = new QListWidget(this);
    ListBox3->setObjectName("ListBox3");
    for (QListWidget* l : {ListBox1, ListBox2, ListBox3}) {
        l->setFont(fixed);
        l->setUniformItemSizes(true);
        l->setItemDelegate(new PlainLineDelegate(l));
    }
    ListBox1->setFixedHeight(120);
    ListBox2->setFixedHeight(120);
    Button1 = new QPushButton("Pause", this);
    Button1->setObjectName("Button1");
    Label1 = new QLabel("Block Num = ", this);
    Label1->setObjectName("Label1");
    Label2 = new QLabel("Checksums = ", this);
    Label2->setObjectName("Label2");
    Label1->setFont(fixed);
    Label2->setFont(fixed);
    Label1->setTextFormat(Qt::PlainText);
    Label2->setTextFormat(Qt::PlainText);

    grid->addWidget(ListBox1, 0, 0, 1, 2);
    grid->addWidget(ListBox2, 0, 2, 1, 2);
    grid->addWidget(Button1, 1, 0);
    grid->addWidget(Label1, 1, 1);
    grid->addWidget(Label2, 1, 2, 1, 2);
    grid->addWidget(ListBox3, 2, 0, 1, 4);
    grid->setRowStretch(2, 1);
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(3, 1);

    // The caption stays "Pause" either way.
    connect(Button1, &QPushButton::clicked, this, [this] { Paused = !Paused; });

    showBlockNumber();
    dumpBlock(true);
    if (QScreen* s = screen())
        move(s->availableGeometry().center() - rect().center());
}

// Acts on every refresh, whatever its lParam.
void TTavr1RawData::RefreshWindow(qintptr)
{
    TFrame2* f = frame();
    if (!f)
        return;
    if (f->RxLineNew) {
        f->RxLineNew = false;
        // Each line exactly as it went or came, terminator included: this is
        // the window that shows what is on the wire.
        appendCapped(ListBox1, QString::fromLatin1(f->RxLine));
    }
    if (f->TxLineNew) {
        f->TxLineNew = false;
        appendCapped(ListBox2, QString::fromLatin1(f->TxLine));
    }
    if (Paused)
        return;
    showBlockNumber();
    setTextIfChanged(Label2, "Checksums =  $" + hex4(f->BlockChecksums[0]) + "   $" +
                                 hex4(f->BlockChecksums[1]));
    dumpBlock(false);
}

void TTavr1RawData::showBlockNumber()
{
    if (const TFrame2* f = frame())
        setTextIfChanged(Label1, "Block Num = " + IntField(f->BlockNumber, 2));
}

void TTavr1RawData::dumpBlock(bool withPartialLine)
{
    const TFrame2* f = frame();
    if (!f)
        return;
    const QByteArray& block = f->BlockSlots[CurrentTavr1BlockSlot];
    const int top = ListBox3->verticalScrollBar()->value();
    QString line;
    int k = 0;
    auto put = [&](int offset) {
        const QString text = SpacePadInt(offset, 4) + "  " + line;
        if (QListWidgetItem* item = ListBox3->item(k))
            setIfChanged(
                text, [&] { return item->text(); }, [&](const QString& t) { item->setText(t); });
        else
            ListBox3->addItem(text);
        ++k;
        line.clear();
    };
    // The text of each byte value is made once: the dump is rewritten with
    // every block.
    static const std::array<QString, 256> cells = [] {
        std::array<QString, 256> c;
        for (int b = 0; b < 256; ++b)
            c[b] = SpacePadInt(b, 3) + "[" + ByteToHex2(quint8(b)) + "] ";
        return c;
    }();
    for (qsizetype i = 1; i <= block.size(); ++i) {
        // A byte is a number from 0 to 255, not a signed char.
        line += cells[quint8(block[i - 1])];
        if (i % 10 == 0)
            put(int(i - 10));
    }
    if (withPartialLine && !line.isEmpty())
        put(int(block.size() - block.size() % 10));
    ListBox3->verticalScrollBar()->setValue(top);
}
