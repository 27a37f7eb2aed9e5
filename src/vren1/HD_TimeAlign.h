#pragma once

#include "panels/ChildWindow.h"

class QAreaSeries;
class QChart;
class QChartView;
class QComboBox;
class QLabel;
class QLineSeries;
class QPushButton;
class QValueAxis;

// How the station's analog and HD audio line up: the level difference and
// the time offset as average and fast bars, the polarity, the state of the
// time-alignment function, the device delay and errors and the update mode,
// with the display and sample resolutions and a device update.
//
// Object names: the designed ones (Panel1, Chart1, SeriesLA1, SeriesLA2,
// Panel2, Chart2, SeriesTA1..3, Panel3, HRComboBox, SampleResComboBox,
// StatusStaticText, DeviceDelayStaticText, AverageErrorStaticText,
// FastErrorStaticText, DelayCorrectStaticText, Active_ST, UpdateButton,
// MScanButton).
class THDTimeAlign : public TInstrumentChildWindow
{
    Q_OBJECT
public:
    static constexpr int Kind = 6;
    static constexpr int Panel3Height = 150;
    explicit THDTimeAlign(const TChildWindowArgs& args);

    QWidget* Panel1 = nullptr;
    QWidget* Panel2 = nullptr;
    QWidget* Panel3 = nullptr;
    QChart* Chart1 = nullptr;
    QChart* Chart2 = nullptr;
    QValueAxis* LevelAxis = nullptr;
    QValueAxis* SamplesAxis = nullptr;
    QValueAxis* MsAxis = nullptr;
    QAreaSeries* SeriesLA1 = nullptr;
    QAreaSeries* SeriesLA2 = nullptr;
    QAreaSeries* SeriesTA1 = nullptr;
    QAreaSeries* SeriesTA2 = nullptr;
    QLineSeries* SeriesTA3 = nullptr;
    QComboBox* HRComboBox = nullptr;
    QComboBox* SampleResComboBox = nullptr;
    QLabel* StatusStaticText = nullptr;
    QLabel* DeviceDelayStaticText = nullptr;
    QLabel* AverageErrorStaticText = nullptr;
    QLabel* FastErrorStaticText = nullptr;
    QLabel* DelayCorrectStaticText = nullptr;
    QLabel* Active_ST = nullptr;
    QPushButton* UpdateButton = nullptr;
    QPushButton* MScanButton = nullptr;

    bool Filling = false;
    bool AxisDirty = false;
    // The last automatic sample resolution shown, per window: two connections'
    // windows each show their own unit's.
    int LastAutoSampleResolution = 0;

    void HRComboBoxChange(int index);
    void SampleResComboBoxChange(int index);
    void UpdateButtonClick();

protected:
    void RefreshWindow(qintptr lParam) override;
    void resizeEvent(QResizeEvent* e) override;

private:
    void rescaleTimeAxes();
    // The current configuration c (1..6), or 0 when the unit reports none.
    int currentConfig() const;
    void showSampleResolution();
};
