#include "vren1/HD_Spectrum.h"

#include "common/FieldHelpers.h"
#include "link/Frame2.h"
#include "platform/UserMessages.h"
#include "plots/SpectrumChart.h"
#include "plots/SpectrumPageView.h"
#include "protocol/hd/HdRequests.h"
#include "widgets/FillGuard.h"
#include "widgets/RadioGroup.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QScreen>
#include <QVBoxLayout>

namespace {

// The readouts as the panel shows them, top to bottom, and where each value
// sits in HdSpectrumPower.
struct TPowerRow
{
    const char* caption;
    const char* name;
    int index;
};
const TPowerRow powerRows[5] = {
    {"Analog", "PD_Analog_Text", 3},  {"HD LSB", "PD_LSB_Text", 0},  {"HD USB", "PD_USB_Text", 1},
    {"HD Total", "PD_Total_Text", 2}, {"Ratio", "PD_Ratio_Text", 4},
};

void setText(QLabel* l, const QString& text)
{
    if (l->text() != text)
        l->setText(text);
}

} // namespace

THDSpectrum::THDSpectrum(const TChildWindowArgs& args)
    : TInstrumentChildWindow(
          [&] {
              TChildWindowArgs a = args;
              a.index = 0; // the panel has one
              return a;
          }(),
          Kind, UM_HD_REFRESH, TRefreshPolicy::AnyLParam)
{
    setDesignedName(WindowToken::HdSpectrum, " Vren-1 Spectrum");
    resize(798, 560);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);

    TSpectrumPageView::TSetup s;
    s.map = &HdSpectrumWords();
    s.prefix = "HD";
    s.cursorColour = QColor(0x00, 0xFF, 0xFF);
    s.maskColour = QColor(0xFF, 0x00, 0x00);
    s.mask = HdRfMask();
    s.hdPowerDensity = true;
    m_page = new TSpectrumPageView(s, this);
    layout->addWidget(m_page);

    // The right-hand panel beside the chart.
    m_rightPanel = new QWidget(m_page->chartRow());
    m_rightPanel->setObjectName("PowerPanel");
    m_rightPanel->setFixedWidth(NarrowPanel);
    auto* rl = new QVBoxLayout(m_rightPanel);
    rl->setContentsMargins(2, 2, 2, 2);
    m_powerGroup = new QGroupBox(" Power Density ", m_rightPanel);
    m_powerGroup->setObjectName("PowerDensityGroup");
    auto* g = new QGridLayout(m_powerGroup);
    for (int r = 0; r < 5; ++r) {
        g->addWidget(new QLabel(powerRows[r].caption, m_powerGroup), 2 * r, 0);
        auto* v = new QLabel(m_powerGroup);
        v->setObjectName(powerRows[r].name);
        v->setTextFormat(Qt::PlainText);
        // A fixed size: a new value repaints the readout, not the window.
        v->setFixedSize(v->fontMetrics().horizontalAdvance(" -10000.0 dB ") + 6,
                        v->sizeHint().height());
        g->addWidget(v, 2 * r + 1, 0);
        m_power << v;
    }
    m_powerGroup->hide();
    rl->addWidget(m_powerGroup);
    rl->addStretch();
    if (auto* row = qobject_cast<QHBoxLayout*>(m_page->chartRow()->layout()))
        row->addWidget(m_rightPanel);

    TFrame2* f = frame();
    if (f) {
        m_config = std::make_unique<THdSpectrumConfig>(f->HdLocalConfig);
        m_page->attach(
            m_config.get(), [f](int id) { QueueSetParameter(*f, id); }, &Filling);
        // Observers keep "Freq" and the mask limits; the refill below frees HR
        // and "Freq" again while the unit is not measuring power density.
        m_page->setReadOnly(f->ReadOnlyAccess);
        Refill();
    }
    connect(m_page, &TSpectrumPageView::powerDensityChanged, this,
            &THDSpectrum::PowerSpectralDensityChange);
    if (QScreen* sc = screen())
        move(sc->availableGeometry().center() - rect().center());
}

THDSpectrum::~THDSpectrum() = default;

QString THDSpectrum::powerText(qint32 value)
{
    return RealField(8, 1, value / 10.0) + " dB ";
}

void THDSpectrum::setWide(bool wide)
{
    if (wide == m_wide)
        return;
    m_wide = wide;
    m_rightPanel->setFixedWidth(wide ? WidePanel : NarrowPanel);
    m_powerGroup->setVisible(wide);
}

void THDSpectrum::Refill()
{
    TFrame2* f = frame();
    if (!f)
        return;
    FillGuard guard(Filling);
    m_page->refill();
    const bool psd = f->HdLocalConfig[HdSpectrumWords().psd] == 1;
    m_page->setHorizontalControlsEnabled(!psd);
    setWide(psd);
}

void THDSpectrum::PowerSpectralDensityChange(bool on)
{
    TFrame2* f = frame();
    if (!f || Filling)
        return;
    const TSpectrumWordMap& m = HdSpectrumWords();
    HdConfigRecord& c = f->HdLocalConfig;
    if (on) {
        c[m.psd] = 1;
        // The unit measures power density at 1 kHz a point, centred and
        // averaged over 50 sweeps; it sets these itself on id 40.
        c[m.hr] = 5;
        c[m.freq] = 0;
        c.setReal(m.zoomReal, 0.0);
        // Re-centred as after an HR change: C2 follows to the centre.
        if (m_config)
            SpectrumApplyHr(m, *m_config);
        c[m.mode] = 2;
        c[m.average] = 50;
        {
            FillGuard guard(Filling);
            m_page->refill();
        }
        m_page->setHorizontalControlsEnabled(false);
        setWide(true);
    } else {
        c[m.psd] = 0;
        m_page->setHorizontalControlsEnabled(true);
        setWide(false);
    }
    QueueSetParameter(*f, m.codePsd);
}

void THDSpectrum::DrawPage()
{
    TFrame2* f = frame();
    if (!f)
        return;
    if (f->PageRefresh.take(prSpectrum))
        Refill();
    for (int r = 0; r < 5; ++r)
        setText(m_power[r], powerText(f->HdSpectrumPower[std::size_t(powerRows[r].index)]));
    m_page->draw(f->HdSpectrum);
}

void THDSpectrum::RefreshWindow(qintptr)
{
    DrawPage();
}
