#include "app/Application.h"

#include "app/Forms.h"
#include "app/PathSelect.h"
#include "widgets/ProgramStyle.h"

#include <cstdio>

TApplication::TApplication(int& argc, char** argv)
    : QApplication(argc, argv)
{
    setApplicationName("Tolvex");
    setOrganizationName("Korsa Electronics");
    // The application takes ownership of the style.
    setStyle(new TProgramStyle);
}

bool TApplication::notify(QObject* receiver, QEvent* event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& e) {
        if (PathSelect)
            PathSelect->ApplicationEvents1Exception(&e);
        else
            std::fprintf(stderr, "tolvex: discarded an unhandled exception: %s\n", e.what());
    } catch (...) {
        if (PathSelect)
            PathSelect->ApplicationEvents1Exception(nullptr);
    }
    return false;
}
