#include "app/Forms.h"

#include "app/Configure.h"
#include "app/Connects.h"
#include "app/Main.h"
#include "app/Pass.h"
#include "app/PathSelect.h"
#include "link/FrameHooks.h"
#include "shell/PUListBox.h"

QPointer<TMain> Main;
QPointer<TConfigure> Configure;
QPointer<TPass> Pass;
QPointer<TPathSelect> PathSelect;
QPointer<TConnects> Connects;
QPointer<TPUListBox> PUListBox;

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
    PUListBox = new TPUListBox;
}

void DestroyForms()
{
    FrameHooks() = TFrameHooks{};
    delete PUListBox.data();
    delete Connects.data();
    delete PathSelect.data();
    delete Pass.data();
    delete Configure.data();
    delete Main.data();
}
