#pragma once

#include <QMessageBox>
#include <QString>
#include <functional>

class QWidget;

// Every message box of the program goes through here, so a test can answer
// them instead of a person and see what was asked.
struct TMessageBoxRequest
{
    QMessageBox::Icon icon = QMessageBox::Information;
    QString title;
    QString text;
    QMessageBox::StandardButtons buttons = QMessageBox::Ok;
};

using TMessageBoxAnswerer = std::function<QMessageBox::StandardButton(const TMessageBoxRequest&)>;

// Shows a modal message box and returns the button pressed.
QMessageBox::StandardButton ShowMessageBox(QWidget* parent, const TMessageBoxRequest& request);

// Installs an answerer in place of the dialog (tests); an empty one restores it.
void SetMessageBoxAnswerer(TMessageBoxAnswerer answerer);
