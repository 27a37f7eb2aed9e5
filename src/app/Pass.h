#pragma once

#include <QDialog>

class QLineEdit;
class QPushButton;

// Asks for the new password of a rack system.
class TPass : public QDialog
{
    Q_OBJECT
public:
    explicit TPass(QWidget* parent = nullptr);

    QLineEdit* Edit1 = nullptr;
    QPushButton* Button1 = nullptr; // Change
    QPushButton* Button2 = nullptr; // Cancel
    QString NewPassword;

    // Empties the entry, then runs the dialog.
    int Ask();
};
