#include "tavr1/Tavr1_RawData.h"

#include "common/FieldHelpers.h"
#include "link/Frame2.h"
#include "panels/RawDump.h"
#include "platform/UserMessages.h"
#include "tavr1/Tavr1_ChildArgs.h"
#include "widgets/SetIfChanged.h"

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

    const TRawDataFace face = buildRawDataFace(this, 1, 2, 3);
    ListBox1 = face.ListBox1;
    ListBox2 = face.ListBox2;
    ListBox3 = face.ListBox3;
    Button1 = face.Button1;
    Label1 = face.Label1;
    Label2 = face.Label2;
    holdReadoutSize(Label1, "Block Num = 888");
    holdReadoutSize(Label2, "Checksums =  $FFFF   $FFFF");

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
