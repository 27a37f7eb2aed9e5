#pragma once

#include "shell/UpdateDialogBase.h"

class QLabel;
class QPushButton;

// The face the Tavr1 and Vren1 update dialogs share: under the header
// (Source, EEPROM Version, Lantronix) the unit's row over the file's, the
// message, the counts, the progress bar and the three buttons. The Vren1 adds
// the line of its display type under the rows. What the buttons do is each
// dialog's own.
class TVersionUpdateDialog : public TUpdateDialogBase
{
    Q_OBJECT
public:
    QLabel* StaticText1 = nullptr; // model
    QLabel* StaticText2 = nullptr; // unit versions
    QLabel* StaticText4 = nullptr; // "  FILE "
    QLabel* StaticText5 = nullptr; // file versions
    QLabel* LAN_Ver1_ST = nullptr; // unit network-module version
    QLabel* LAN_Ver2_ST = nullptr; // file network-module version
    QLabel* DisplayText = nullptr; // the Vren1's display type; none on the Tavr1's
    QLabel* MessageText = nullptr;
    QPushButton* Button1 = nullptr; // Update EEPROM
    QPushButton* Button2 = nullptr; // Update Lantronix (the Tavr1's: or Update SOM)
    QPushButton* Button3 = nullptr; // Cancel

protected:
    TVersionUpdateDialog(QWidget* parent, const char* name, bool displayLine);
    void disableButtons();
};
