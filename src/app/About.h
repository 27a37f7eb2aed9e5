#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

// The About box: the program's picture, title and version, and who makes it.
class TAbout : public QDialog
{
    Q_OBJECT
public:
    explicit TAbout(QWidget* parent = nullptr);

    QLabel* ProgramIcon = nullptr;
    QLabel* ProductName = nullptr;
    QLabel* Version = nullptr;
    QLabel* Copyright = nullptr;
    QLabel* Comments = nullptr;
    QPushButton* OKButton = nullptr;
};
