#pragma once

#include "shell/UpdateDialogBase.h"

class QComboBox;
class QLabel;
class QPushButton;

// The firmware update dialog of an HD unit without display: the file by the
// unit's version, and the last three digits of the unit's serial number,
// which the sender writes back to the unit after the data. One instance for
// the program.
class TUpDateHD : public TUpdateDialogBase
{
    Q_OBJECT
public:
    explicit TUpDateHD(QWidget* parent = nullptr);

    QLabel* StaticText1 = nullptr; // model
    QLabel* StaticText2 = nullptr; // unit version
    QLabel* StaticText3 = nullptr;
    QLabel* StaticText4 = nullptr; // "  FILE "
    QLabel* StaticText5 = nullptr; // file version
    QLabel* DisplayText = nullptr;
    QComboBox* Serial100_CB = nullptr;
    QComboBox* Serial10_CB = nullptr;
    QComboBox* Serial1_CB = nullptr;
    QPushButton* Button1 = nullptr; // Confirm
    QPushButton* Button2 = nullptr; // Cancel

    void FormActivate() override;
    void Button1Click();
    void Button2Click();
    // The S2 record of the serial digits, without CR.
    QByteArray SerialRecord() override;

    QString MainFileName, FileBootVersion;
};
