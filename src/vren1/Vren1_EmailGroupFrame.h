#pragma once

#include <QFrame>
#include <array>

class QButtonGroup;
class QCheckBox;
class QGroupBox;
class QLineEdit;
class QPushButton;
class QRadioButton;
class TFrame2;
class TSettingsTable;

// One of the unit's four e-mail groups: its recipients (TO), its one sender
// (FROM) and its subject, each from the address book of eight. Every change
// stores into the frame's HdEmailSettings first and then queues its request,
// with the group number as the fourth byte. The owning settings window
// refills the frame, holding Filling meanwhile.
class TEmailGroupFrame : public QFrame
{
    Q_OBJECT
public:
    TEmailGroupFrame(QWidget* parent, TFrame2* frame, int groupNumber);

    int GroupNumber = 1; // 1..4
    TFrame2* Frame = nullptr;
    // Set while the owner copies the frame's values in; handlers do nothing.
    bool Filling = false;

    QGroupBox* Email_GB = nullptr;
    std::array<QCheckBox*, 8> EmailCB{};    // Email1_CB..Email8_CB
    std::array<QRadioButton*, 8> EmailRB{}; // Email1_RB..Email8_RB
    QLineEdit* Subject_Edit = nullptr;
    QPushButton* TestEmail_Button = nullptr;

    // Every box, button and the subject from the group's words. The owner
    // calls it with this frame's Filling held as well as its own.
    void Refill();

private:
    QButtonGroup* m_from = nullptr;
    TSettingsTable* m_table = nullptr;
};
