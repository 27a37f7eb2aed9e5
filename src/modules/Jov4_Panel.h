#pragma once

#include "models/Jov4_Entry.h"
#include "panels/VFPanel.h"

#include <array>

class Lamp;
class QAction;
class QLabel;
class QMenu;
class QToolButton;

// The remote front panel of the FM rack's tuner module (Jov4, Zu4, Dask4):
// its display line, a keypad of ten digit keys that recall presets or, after
// the frequency key, enter a frequency, and the ten-segment RF level bar. It
// opens no windows and sends nothing on opening; below operator level the
// whole panel is disabled.
//
// Names besides the designed ones: Label_RF, Label_Level, Label_SET,
// Label_FREQ, Label_CALL. The preset entries are Preset01, Preset11 ...
// Preset81 and preset91 (the designed first and last; the capital P of the
// first is kept for the eight between).
class TJov4Panel : public TVFPanel
{
    Q_OBJECT
public:
    TJov4Panel(QWidget* ownerRack, QWidget* parentRack, const QString& componentName,
               TFrame2* frame, int index);

    QLabel* UnitName = nullptr;
    QLabel* MenuString = nullptr;
    std::array<QToolButton*, 10> DigitKeys{}; // SpeedButton1..10: digits 0..9
    QToolButton* SpeedButton11 = nullptr;
    std::array<Lamp*, 10> Bars{}; // bar1..bar10
    std::array<QAction*, 10> PresetEntries{};
    QMenu* PopupMenu1 = nullptr;

    const TJov4Entry& entry() const { return m_entry; }

    void RefreshPanel() override;
    void digitKey(int digit);
    void SpeedButton11Click();

private:
    void FormCreate();
    TJov4Entry m_entry;
};
