#pragma once

#include "models/SpectrumModel.h"
#include "models/Tavr1SpectrumConfig.h"
#include "panels/ChildWindow.h"

#include <array>
#include <memory>

class QTabWidget;
class TSpectrumPageView;

// The spectrum a Tavr1 unit measures, on its RF, composite or audio page. The
// unit measures one page at a time: the window asks for the page shown with
// code 0, and while the unit changes over it blanks the old page's data.
// Every display setting is the unit's: a change goes into the local
// configuration and out through the command slot, and the window refills
// when the unit reports its spectrum settings.
class TTavr1Spectrum : public TInstrumentChildWindow
{
    Q_OBJECT
public:
    static constexpr int Kind = 4;

    explicit TTavr1Spectrum(const TChildWindowArgs& args);
    ~TTavr1Spectrum() override;

    TSpectrumPageView* pageView(int page) const { return m_pages[std::size_t(page)]; }

    // Handlers and steps, callable by a test.
    void SpecPageControlChange(int page);
    void FullRefill();
    void DrawPage();

    bool Filling = false;
    qint32 CurrentPage = 0;
    qint32 LastPage = 0;
    TSpectrumBlanking Blank;

protected:
    void RefreshWindow(qintptr lParam) override;

private:
    void postCode(int code, quint8 b3 = 0);
    void audioInputTypeChanged();

    QTabWidget* m_pageControl = nullptr;
    std::array<TSpectrumPageView*, 3> m_pages{};
    std::unique_ptr<TTavr1SpectrumConfig> m_config;
};
