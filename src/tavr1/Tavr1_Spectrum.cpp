#include "tavr1/Tavr1_Spectrum.h"

#include "common/OutputSources.h"
#include "link/Frame2.h"
#include "platform/UserMessages.h"
#include "plots/SpectrumChart.h"
#include "plots/SpectrumPageView.h"
#include "protocol/tavr1/Tavr1Commands.h"
#include "tavr1/Tavr1_ChildArgs.h"
#include "widgets/FillGuard.h"

#include <QScreen>
#include <QTabBar>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {

const char* const pageCaptions[3] = {"  RF  ", " Composite ", " Audio"};
const char* const pagePrefixes[3] = {"RF", "CMP", "AUD"};

} // namespace

TTavr1Spectrum::TTavr1Spectrum(const TChildWindowArgs& args)
    : TInstrumentChildWindow(tavr1WindowArgs(args, 0), Kind, UM_TAVR1_REFRESH,
                             TRefreshPolicy::AnyLParam)
{
    setDesignedName(WindowToken::Tavr1Spectrum, " Tavr-1 Spectrum");
    resize(800, 600);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    m_pageControl = new QTabWidget(this);
    m_pageControl->setObjectName("SpecPageControl");
    layout->addWidget(m_pageControl);

    TFrame2* f = frame();
    if (f)
        m_config = std::make_unique<TTavr1SpectrumConfig>(f->Tavr1LocalConfig);

    for (int page = 0; page < 3; ++page) {
        TSpectrumPageView::TSetup s;
        s.map = &Tavr1SpectrumWords(page);
        s.prefix = pagePrefixes[page];
        s.cursorColour = QColor(0xFF, 0xFF, 0x00);
        s.maskColour = page == 0 ? QColor(0xFF, 0x00, 0x00) : QColor(0xFF, 0x00, 0xFF);
        if (page == 0) {
            s.mask = Tavr1RfMask();
            s.rfInputList = true;
        }
        if (page == 2)
            s.inputSources = Tavr1OutputSources();
        auto* view = new TSpectrumPageView(s, m_pageControl);
        m_pages[std::size_t(page)] = view;
        m_pageControl->addTab(view, pageCaptions[page]);
        if (m_config)
            view->attach(
                m_config.get(), [this](int c) { postCode(c); }, &Filling);
    }
    connect(m_pages[2], &TSpectrumPageView::inputTypeChanged, this,
            &TTavr1Spectrum::audioInputTypeChanged);

    // FormCreate: the window follows the page the unit measures and tells the
    // unit nothing.
    if (f) {
        FillGuard guard(Filling);
        f->Tavr1LocalConfig[0] = f->Tavr1SpectrumMode;
        CurrentPage = Tavr1SpectrumPageOf(f->Tavr1SpectrumMode);
        m_pageControl->setCurrentIndex(CurrentPage);
        FullRefill();
        for (TSpectrumPageView* v : m_pages)
            v->setReadOnly(f->ReadOnlyAccess);
        // An observer watches the page the unit is on: a page or "Freq"
        // change would change the unit's spectrum.
        if (f->ReadOnlyAccess) {
            m_pageControl->tabBar()->setEnabled(false);
            for (TSpectrumPageView* v : m_pages)
                v->setHorizontalControlsEnabled(false);
        }
    }
    connect(m_pageControl, &QTabWidget::currentChanged, this,
            &TTavr1Spectrum::SpecPageControlChange);
    if (QScreen* s = screen())
        move(s->availableGeometry().center() - rect().center());
}

TTavr1Spectrum::~TTavr1Spectrum() = default;

void TTavr1Spectrum::postCode(int code, quint8 b3)
{
    if (TFrame2* f = frame())
        PostTavr1SetParameter(*f, code, 0, 0, 0, b3);
}

void TTavr1Spectrum::SpecPageControlChange(int page)
{
    if (Filling || page < 0 || page > 2)
        return;
    TFrame2* f = frame();
    if (!f || f->ReadOnlyAccess)
        return;
    CurrentPage = page;
    // Only a page word the window knows is turned to the new page.
    const qint32 w = f->Tavr1LocalConfig[0];
    if (w >= 8 && w <= 10)
        f->Tavr1LocalConfig[0] = Tavr1SpectrumModeOf(page);
    postCode(0, quint8(page));
    for (TSpectrumPageView* v : m_pages)
        v->clearTraces();
    Blank.start(2);
}

void TTavr1Spectrum::FullRefill()
{
    TFrame2* f = frame();
    if (!f)
        return;
    FillGuard guard(Filling);
    CurrentPage = Tavr1SpectrumPageOf(f->Tavr1LocalConfig[0]);
    if (m_pageControl->currentIndex() != CurrentPage)
        m_pageControl->setCurrentIndex(CurrentPage);
    if (CurrentPage != LastPage) {
        for (TSpectrumPageView* v : m_pages)
            v->clearTraces();
        Blank.start(1);
        LastPage = CurrentPage;
    }
    for (TSpectrumPageView* v : m_pages)
        v->refill();
}

void TTavr1Spectrum::audioInputTypeChanged()
{
    TFrame2* f = frame();
    if (!f || CurrentPage != 2)
        return;
    TSpectrumPageView* audio = m_pages[2];
    // None of the reset words is sent: the unit resets its own view and the
    // reload after the input type brings them back.
    SpectrumApplyAudioReset(audio->map(), *m_config);
    {
        FillGuard guard(Filling);
        audio->refill();
    }
    audio->clearTraces();
    Blank.start(2);
}

void TTavr1Spectrum::DrawPage()
{
    TFrame2* f = frame();
    if (!f)
        return;
    if (f->PageRefresh.take(prSpectrum))
        FullRefill();
    m_pages[std::size_t(CurrentPage)]->draw(f->Tavr1Spectrum);
}

void TTavr1Spectrum::RefreshWindow(qintptr)
{
    TFrame2* f = frame();
    if (!f)
        return;
    Blank.step(f->Tavr1Spectrum.data(), int(f->Tavr1Spectrum.size()));
    DrawPage();
}
