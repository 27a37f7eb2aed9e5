#pragma once

#include <QApplication>

// The application object. An exception that escapes an event handler would
// end the program; here it is handed to the folder dialog's exception net and
// the event loop goes on.
class TApplication : public QApplication
{
public:
    TApplication(int& argc, char** argv);
    bool notify(QObject* receiver, QEvent* event) override;
};
