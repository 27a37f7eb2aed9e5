#pragma once

#include "models/HdSpectrumConfig.h"
#include "panels/ChildWindow.h"

#include <QList>
#include <memory>

class QGroupBox;
class QLabel;
class TSpectrumPageView;

// The RF spectrum an HD unit measures, with the power of its digital
// sidebands and of the analog signal. The single-page twin of the Tavr1 RF
// page: the same cursors, scales, bands and mask, on the HD unit's words and
// parameter ids; beside the chart a panel that widens to show the power
// readouts while the unit measures the power spectral density.
class THDSpectrum : public TInstrumentChildWindow
{
    Q_OBJECT
public:
    static constexpr int Kind = 5;
    static constexpr int NarrowPanel = 40;
    static constexpr int WidePanel = 160;

    explicit THDSpectrum(const TChildWindowArgs& args);
    ~THDSpectrum() override;

    TSpectrumPageView* pageView() const { return m_page; }
    bool isWide() const { return m_wide; }
    // RealField(8, 1, value / 10) + " dB ".
    static QString powerText(qint32 value);

    void Refill();
    void DrawPage();
    void PowerSpectralDensityChange(bool on);

    bool Filling = false;

protected:
    void RefreshWindow(qintptr lParam) override;

private:
    void setWide(bool wide);

    TSpectrumPageView* m_page = nullptr;
    QWidget* m_rightPanel = nullptr;
    QGroupBox* m_powerGroup = nullptr;
    QList<QLabel*> m_power;
    bool m_wide = false;
    std::unique_ptr<THdSpectrumConfig> m_config;
};
