#pragma once

#include "data/ConnectionConfig.h"

#include <QDialog>
#include <QPointer>

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTabWidget;
class TFrame2;

// Edits the settings of one connection. Its controls are filled once, when it
// is opened, so returning from the folder or password dialog keeps the edits.
class TConfigure : public QDialog
{
    Q_OBJECT
public:
    explicit TConfigure(QWidget* parent = nullptr);

    QTabWidget* PageControl1 = nullptr;
    // "Hardware Type"
    QGroupBox* RadioGroupHT = nullptr;
    QButtonGroup* RadioGroupHTButtons = nullptr;
    QLineEdit* EditPass = nullptr;
    QPushButton* ChangePassButton = nullptr;
    // "Connection Type"
    QGroupBox* RadioGroupCT = nullptr;
    QButtonGroup* RadioGroupCTButtons = nullptr;
    QRadioButton* RadioCT[3] = {};
    QCheckBox* CheckBox1 = nullptr;
    QLineEdit* EditCName = nullptr;
    QLineEdit* EditRName = nullptr;
    // "RS-232"
    QComboBox* ComboBox1 = nullptr;
    QComboBox* ComboBox2 = nullptr;
    QLabel* HdBaudNotes[4] = {};
    // "MODEM"
    QComboBox* ComboBox3 = nullptr;
    QLineEdit* EditNumber = nullptr;
    // "Network"
    QLineEdit* Edit1 = nullptr;
    QLineEdit* Edit2 = nullptr;
    QLineEdit* Edit3 = nullptr;
    QCheckBox* HostName_CB = nullptr;
    // "Logging"
    QLineEdit* EditPath = nullptr;
    QPushButton* Button1 = nullptr;
    QLineEdit* EditPre = nullptr;
    QCheckBox* CheckBox2 = nullptr;

    QPushButton* ButtonApply = nullptr;
    QPushButton* ButtonCancel = nullptr;
    QPushButton* ButtonSave = nullptr;

    // Fills the controls from the frame and shows the dialog modally (the
    // frame's Configure button). Returns the dialog's result.
    int ShowFor(TFrame2& frame);
    // Fills the controls from the frame without showing the dialog.
    void FillFrom(TFrame2& frame);
    TFrame2* frame() const;

    void ButtonApplyClick();
    void ButtonSaveClick();
    void ButtonCancelClick();
    void Button1Click();
    void ChangePassButtonClick();

private:
    void buildUi();
    void RadioGroupHTClick();
    void rebuildTypeLists(int hardwareType, int transport, int baudChoice);
    TConnectionSettings readControls() const;
    void apply();

    QPointer<TFrame2> m_frame;
};
