#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

// Offered once per run when the web version file names a newer program:
// download now (the maker's update page), later, or read the release notes.
class TTolvexUpdate : public QDialog
{
    Q_OBJECT
public:
    explicit TTolvexUpdate(QWidget* parent = nullptr);

    QLabel* Label1 = nullptr;
    QPushButton* Button1 = nullptr; // "  Download Now   "
    QPushButton* Button2 = nullptr; // " Download Later "
    QPushButton* Button3 = nullptr; // "Release Notes"

    void Button1Click();
    void Button3Click();
};
