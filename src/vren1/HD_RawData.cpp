#include "vren1/HD_RawData.h"

#include "common/FieldHelpers.h"
#include "link/Frame2.h"
#include "panels/RawDump.h"
#include "platform/UserMessages.h"
#include "widgets/SetIfChanged.h"

#include <QFontDatabase>
#include <QGridLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>

THDRawData::THDRawData(const TChildWindowArgs& args)
    : TInstrumentChildWindow(args, Kind, UM_HD_REFRESH, TRefreshPolicy::AnyLParam)
{
    setDesignedName(WindowToken::HdRawData, " Vren-1 Raw Data");
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
    ListBox2->setFixedHeight(120);
    ListBox3->setFixedHeight(120);
    Button1 = new QPushButton("Pause", this);
    Button1->setObjectName("Button1");
    Label1 = new QLabel("Block Num = ", this);
    Label1->setObjectName("Label1");
    Label2 = new QLabel("Checksums = ", this);
    Label2->setObjectName("Label2");
    for (QLabel* l : {Label1, Label2}) {
        l->setFont(fixed);
        l->setTextFormat(Qt::PlainText);
    }
    grid->addWidget(ListBox2, 0, 0, 1, 2);
    grid->addWidget(ListBox3, 0, 2, 1, 2);
    grid->addWidget(Button1, 1, 0);
    grid->addWidget(Label1, 1, 1);
    grid->addWidget(Label2, 1, 2, 1, 2);
    grid->addWidget(ListBox1, 2, 0, 1, 4);
    grid->setRowStretch(2, 1);
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(3, 1);

    // The caption stays "Pause" either way.
    connect(Button1, &QPushButton::clicked, this, &THDRawData::Button1Click);

    if (const TFrame2* f = frame()) {
        setTextIfChanged(Label1, "Block Num = " + IntField(f->BlockNumber, 2));
        dumpBlock(ListBox1, f->BlockSlots[CurrentHdBlockSlot], TPartialLine::WithoutOffset);
    }
}

void THDRawData::Button1Click()
{
    Paused = !Paused;
}

// Acts on every refresh, whatever its lParam.
void THDRawData::RefreshWindow(qintptr)
{
    TFrame2* f = frame();
    if (!f)
        return;
    // Each line exactly as it went or came: this is the window that shows
    // what is on the wire.
    if (f->RxLineNew) {
        f->RxLineNew = false;
        appendCapped(ListBox3, QString::fromLatin1(f->RxLine), MaxListLines);
    }
    if (f->HdTextLineNew) {
        f->HdTextLineNew = false;
        appendCapped(ListBox3, QString::fromLatin1(f->HdTextLine), MaxListLines);
    }
    if (f->TxLineNew) {
        f->TxLineNew = false;
        appendCapped(ListBox2, QString::fromLatin1(f->TxLine), MaxListLines);
    }
    if (Paused)
        return;
    setTextIfChanged(Label1, "Block Num = " + IntField(f->BlockNumber, 2));
    const quint16 computed = f->BlockChecksums[0];
    const quint16 received = f->BlockChecksums[1];
    setTextIfChanged(Label2, "Checksums =  $" + Hex4(computed) + "   $" + Hex4(received) + " " +
                                 (computed == received ? "Good Checksum" : "Bad Checksum "));
    dumpBlock(ListBox1, f->BlockSlots[CurrentHdBlockSlot], TPartialLine::Skip);
}
