#pragma once

#include "panels/ChildWindow.h"

#include <QList>
#include <QString>

class QComboBox;
class QGridLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class QTabWidget;
class RadioGroup;
class TSettingsTable;
class UpDown;

// The settings of a Tavr1 unit, page by page. Every control stores its value
// in the frame's working copy first and then asks for the one command that
// carries it; the unit's echo comes back through the settings flag and
// refills the window. Observers see the settings but can change none.
class TTavr1Settings : public TInstrumentChildWindow
{
    Q_OBJECT
public:
    static constexpr int Kind = 6;

    // The panel opens it with its usual arguments; the window is always index 0.
    explicit TTavr1Settings(const TChildWindowArgs& args);

    // Set while the window copies the working copy into its controls.
    bool Filling = false;

    QTabWidget* PageControl1 = nullptr;
    QWidget* RF_Tab = nullptr;
    QWidget* Composite_Tab = nullptr;
    QWidget* SCA_Tab = nullptr;
    QWidget* Unit_Tab = nullptr;
    QWidget* Outputs_Tab = nullptr;
    QWidget* Email_Tab = nullptr;
    QWidget* SNMP_Tab = nullptr;
    QPushButton* Reset_Def_Button = nullptr;
    QPushButton* Reboot_Button = nullptr;

    // Every control from its word of Tavr1LocalConfig, page by page.
    void Refill();

    // The texts the window shows beside its up-downs and in its hold-time
    // field. A word no list can name shows as an empty text.
    static QString holdTimeText(qint32 word);
    static QString screenSaverText(qint32 word);
    static QString attenuatorText(qint32 word);

protected:
    void RefreshWindow(qintptr lParam) override;

private:
    // How an up-down's position and the stored value relate.
    enum class TScale
    {
        Identity,
        Tuning,     // tenths of MHz = position * 2 + 875
        Attenuator, // steps = 63 - position
    };
    void buildRfPage();
    void buildCompositePage();
    void buildScaPage();
    QWidget* buildScaColumn(int sca);
    void buildUnitPage();
    void buildOutputsPage();
    void buildEmailPage();
    void buildSnmpPage();

    QComboBox* addCombo(QGridLayout* grid, int row, int col, const char* name,
                        const QString& caption, const QStringList& items, int word, int code,
                        quint8 b3 = 0);
    // A captioned row of a bank of boxes: the caption beside the box.
    QComboBox* addComboRow(QGridLayout* grid, int row, const char* name, const QString& caption,
                           const QStringList& items, int word, int code);
    RadioGroup* addRadio(QGridLayout* grid, int row, int col, const char* name,
                         const QString& caption, const QStringList& items, int word, int code,
                         quint8 b3 = 0);
    UpDown* addUpDown(QGridLayout* grid, int row, int col, const char* name, const QString& caption,
                      int min, int max, int increment, int word, int code, quint8 b3, quint16 flags,
                      QString (*format)(qint32), TScale scale = TScale::Identity);
    // The word a control names: the attenuator's follows the RF input.
    int wordOf(int word) const;
    void action(int code);
    void applyAccess();

    TSettingsTable* m_table = nullptr;
    QList<QWidget*> m_snmpFields;
};
