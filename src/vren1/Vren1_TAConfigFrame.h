#pragma once

#include <QFrame>
#include <QPointer>

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class TFrame2;
class TSettingsTable;
class UpDown;

// One link of the unit to an external audio processor (configuration k):
// mode, delay centre, correction rate and ramp, offset, device, login,
// address, port and connect, with the Apply action and the delay-centre
// update. The owning window sets the number and refills the frame under both
// guards; a change stores into the frame's TimeAlignConfigs first, then
// queues the request that carries it with the fourth byte k.
class TTA_Config_Frame : public QFrame
{
    Q_OBJECT
public:
    TTA_Config_Frame(QWidget* parent, TFrame2* frame, int configNumber);

    QPointer<TFrame2> Frame;
    bool Filling = false;
    int ConfigNumber = 1; // k = 1..6

    QComboBox* Mode_CB = nullptr;
    QLabel* Dly_Ctr_S_ST = nullptr;
    UpDown* Dly_Ctr_S_UD = nullptr;
    QLabel* Dly_Ctr_MS_ST = nullptr;
    UpDown* Dly_Ctr_MS_UD = nullptr;
    QLabel* Dly_Ctr_US_ST = nullptr;
    UpDown* Dly_Ctr_US_UD = nullptr;
    QComboBox* Rate_CB = nullptr;
    QLabel* Ramp_ST = nullptr;
    UpDown* Ramp_UD = nullptr;
    QLabel* Offset_ST = nullptr;
    UpDown* Offset_UD = nullptr;
    QComboBox* Device_CB = nullptr;
    QLineEdit* UserEdit = nullptr;
    QLineEdit* PassEdit = nullptr;
    UpDown* IP_ADR_UD[4] = {};
    QLabel* IP_ADR_ST[4] = {};
    UpDown* Port_UD[5] = {};
    QLabel* Port_ST[5] = {};
    QComboBox* Connect_CB = nullptr;
    QPushButton* Apply_Button = nullptr;
    QPushButton* Button1 = nullptr; // "Update Delay Center with Device Delay"
    QLabel* Apply_Status_ST = nullptr;
    QLabel* Apply_Req_ST = nullptr;

    // Sets the number k: the fields and requests of configuration k.
    void setConfigNumber(int k);
    // Every control from configuration k of the frame's TimeAlignConfigs.
    void Refill();
    // The apply state of this configuration and the unit-wide notice.
    void showApplyState();
    void setEditable(bool editable);
    // Binds the handlers; once, after the first fill.
    void connectControls();

    // The two buttons' handlers, as a click runs them.
    void Apply_ButtonClick();
    void Button1Click();

private:
    void buildLayout();
    void bindControls();

    TSettingsTable* m_table = nullptr;
    QList<int> m_numbered; // numeric controls: their fourth byte is k
    int m_userControl = -1;
    int m_passwordControl = -1;
};
