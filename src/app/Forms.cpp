#include "app/Forms.h"

#include "app/About.h"
#include "app/Configure.h"
#include "app/Connects.h"
#include "app/Main.h"
#include "app/Pass.h"
#include "app/PathSelect.h"
#include "app/TolvexUpdate.h"
#include "link/FrameHooks.h"
#include "shell/PUListBox.h"

QPointer<TMain> Main;
QPointer<TConfigure> Configure;
QPointer<TPass> Pass;
QPointer<TPathSelect> PathSelect;
QPointer<TConnects> Connects;
QPointer<TPUListBox> PUListBox;
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
    // The firmware update dialogs, once they exist, are made just before it.
    TolvexUpdate = new TTolvexUpdate;
}

void DestroyForms()
{
    FrameHooks() = TFrameHooks{};
    delete TolvexUpdate.data();
    delete PUListBox.data();
    delete About.data();
    delete Connects.data();
    delete PathSelect.data();
    delete Pass.data();
    delete Configure.data();
    delete Main.data();
}
