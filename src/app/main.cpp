#include "app/Main.h"
#include "app/Application.h"
#include "app/Connects.h"
#include "app/ExitSignals.h"
#include "app/Forms.h"

int main(int argc, char** argv)
{
    TApplication app(argc, argv);
    CreateForms();
    Main->show();
    Connects->move(Main->frameGeometry().right() + 8, 0);
    Connects->show();
    // A request to end from outside closes the main window, which signs off
    // every connection before the program ends.
    const TExitSignals exitSignals([] {
        if (Main)
            Main->close();
    });
    const int result = app.exec();
    DestroyForms();
    return result;
}
