#include "app/Main.h"
#include "app/Application.h"
#include "app/Connects.h"
#include "app/Forms.h"

int main(int argc, char** argv)
{
    TApplication app(argc, argv);
    CreateForms();
    Main->show();
    Connects->move(Main->frameGeometry().right() + 8, 0);
    Connects->show();
    const int result = app.exec();
    DestroyForms();
    return result;
}
