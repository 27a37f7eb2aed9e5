#include "app/Forms.h"

#include "app/About.h"
#include "app/C8L1Frame.h"
#include "app/Configure.h"
#include "app/Connects.h"
#include "app/Main.h"
#include "app/Pass.h"
#include "app/PathSelect.h"
#include "app/TolvexUpdate.h"
#include "link/Frame2.h"
#include "link/FrameHooks.h"
#include "shell/PUListBox.h"
#include "shell/UpDateHD.h"
#include "shell/UpDateTavr1.h"
#include "shell/UpDateVren1.h"

#include <QTabWidget>

QPointer<TMain> Main;
QPointer<TConfigure> Configure;
QPointer<TPass> Pass;
QPointer<TPathSelect> PathSelect;
QPointer<TConnects> Connects;
QPointer<TPUListBox> PUListBox;
QPointer<TUpDateHD> UpDateHD;
QPointer<TUpDateVren1> UpDateVren1;
QPointer<TUpDateTavr1> UpDateTavr1;
QPointer<TAbout> About;
QPointer<TTolvexUpdate> TolvexUpdate;

void CreateForms()
{
    Main = new TMain;
    Configure = new TConfigure;
    Pass = new TPass;
    PathSelect = new TPathSelect;
    FrameHooks().showConfigure = [](TFrame2& frame) {
        if (Configure)
            Configure->ShowFor(frame);
    };
    Connects = new TConnects;
    About = new TAbout;
    PUListBox = new TPUListBox;
    UpDateHD = new TUpDateHD;
    UpDateVren1 = new TUpDateVren1;
    UpDateTavr1 = new TUpDateTavr1;
    InstallUpdateHooks();
    TolvexUpdate = new TTolvexUpdate;
}

namespace {

// A login shows the user which connection wants the update.
void selectTab(TFrame2& frame)
{
    if (!Connects)
        return;
    for (int n = 1; n <= 8; ++n) {
        if (Connects->ConnectionByIndex(n) == &frame)
            Connects->C8L1Frame->PageControl2->setCurrentIndex(n - 1);
    }
}

} // namespace

void InstallUpdateHooks()
{
    FrameHooks().showUpdate = [](TFrame2& frame) {
        TUpdateDialogBase* d = nullptr;
        if (frame.HardwareType == htTavr1)
            d = UpDateTavr1;
        else if (frame.HardwareType == htHDSystem)
            d = frame.HdHasLcd ? static_cast<TUpdateDialogBase*>(UpDateVren1)
                               : static_cast<TUpdateDialogBase*>(UpDateHD);
        if (d)
            d->ShowFor(frame, false);
    };
    // A login claims its dialog at once, inside its tick; the dialog opens
    // from a queued call.
    auto claim = [](TUpdateDialogBase* d, TFrame2& frame) {
        if (!d || d->Claimed() || TFrame2::AnyFirmwareTransferRunning())
            return false;
        selectTab(frame);
        return d->ShowFor(frame, true);
    };
    FrameHooks().tavr1UpdateDue = [claim](TFrame2& frame) { return claim(UpDateTavr1, frame); };
    FrameHooks().hdUpdateDue = [claim](TFrame2& frame, THdUpdateDialog which) {
        return which == THdUpdateDialog::TUpDateHD ? claim(UpDateHD, frame)
                                                   : claim(UpDateVren1, frame);
    };
}

void DestroyForms()
{
    FrameHooks() = TFrameHooks{};
    delete TolvexUpdate.data();
    delete UpDateTavr1.data();
    delete UpDateVren1.data();
    delete UpDateHD.data();
    delete PUListBox.data();
    delete About.data();
    delete Connects.data();
    delete PathSelect.data();
    delete Pass.data();
    delete Configure.data();
    delete Main.data();
}
