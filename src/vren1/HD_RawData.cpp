#include "vren1/HD_RawData.h"

#include "common/FieldHelpers.h"
#include "link/Frame2.h"
#include "panels/RawDump.h"
#include "platform/UserMessages.h"
#include "widgets/SetIfChanged.h"

#include <QLabel>
#include <QListWidget>
#include <QPushButton>

THDRawData::THDRawData(const TChildWindowArgs& args)
    : TInstrumentChildWindow(args, Kind, UM_HD_REFRESH, TRefreshPolicy::AnyLParam)
{
    setDesignedName(WindowToken::HdRawData, " Vren-1 Raw Data");
    resize(798, 564);

    const TRawDataFace face = buildRawDataFace(this, 2, 3, 1);
    ListBox1 = face.ListBox1;
    ListBox2 = face.ListBox2;
    ListBox3 = face.ListBox3;
    Button1 = face.Button1;
    Label1 = face.Label1;
    Label2 = face.Label2;

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
