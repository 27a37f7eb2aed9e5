#include "tavr1/Tavr1_RawData.h"

#include "common/FieldHelpers.h"
#include "link/Frame2.h"
#include "panels/RawDump.h"
#include "platform/UserMessages.h"
#include "tavr1/Tavr1_ChildArgs.h"
#include "widgets/SetIfChanged.h"

#include <QFontDatabase>
#include <QGridLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>

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
        appendCapped(ListBox1, QString::fromLatin1(f->RxLine), MaxListLines);
    }
    if (f->TxLineNew) {
        f->TxLineNew = false;
        appendCapped(ListBox2, QString::fromLatin1(f->TxLine), MaxListLines);
    }
    if (Paused)
        return;
    showBlockNumber();
    setTextIfChanged(Label2, "Checksums =  $" + Hex4(f->BlockChecksums[0]) + "   $" +
                                 Hex4(f->BlockChecksums[1]));
    dumpBlock(false);
}

void TTavr1RawData::showBlockNumber()
{
    if (const TFrame2* f = frame())
        setTextIfChanged(Label1, "Block Num = " + IntField(f->BlockNumber, 2));
}

void TTavr1RawData::dumpBlock(bool withPartialLine)
{
    if (const TFrame2* f = frame())
        ::dumpBlock(ListBox3, f->BlockSlots[CurrentTavr1BlockSlot],
                    withPartialLine ? TPartialLine::WithOffset : TPartialLine::Skip);
}
