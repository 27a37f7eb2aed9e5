#include "plots/SpectrumPageView.h"

#include "common/FieldHelpers.h"
#include "plots/SpectrumChart.h"
#include "widgets/FillGuard.h"
#include "widgets/RadioGroup.h"
#include "widgets/UpDown.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QSlider>
#include <QTabWidget>
#include <QVBoxLayout>
#include <cmath>

namespace {

// Texts change only when their value does: a refresh that repeats the same
// settings costs no layout.
void setText(QLabel* l, const QString& text)
{
    if (l && l->text() != text)
        l->setText(text);
}

QLabel* plainLabel(QWidget* parent, const QString& name)
{
    auto* l = new QLabel(parent);
    l->setObjectName(name);
    l->setTextFormat(Qt::PlainText);
    return l;
}

// A readout that changes with every block keeps the size of its widest
// text, so a new value repaints the label alone and never re-lays out the
// window.
// Fixed in both directions: a label whose size may change asks its layout
// to run again on every new text, and the window repaints whole.
void fixWidth(QLabel* l, const QString& widest)
{
    l->setFixedSize(l->fontMetrics().horizontalAdvance(widest) + 6, l->sizeHint().height());
}

void setSlider(QSlider* s, int min, int max, int value)
{
    if (s->minimum() != min || s->maximum() != max)
        s->setRange(min, max);
    if (s->value() != value)
        s->setValue(value);
}

QString dBText(double v)
{
    return RealField(6, 1, v) + " dB";
}

} // namespace

TSpectrumPageView::TSpectrumPageView(const TSetup& setup, QWidget* parent)
    : QWidget(parent)
    , m_setup(setup)
{
    const TSpectrumWordMap& m = *setup.map;
    setObjectName(name("Page"));
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(2, 2, 2, 2);
    outer->setSpacing(2);

    m_settings = new QTabWidget(this);
    m_settings->setObjectName(name("SettingsPageControl"));
    m_settings->setMaximumHeight(130);
    outer->addWidget(m_settings);

    // The settings pages: radio groups beside a grid of up-down rows, or the
    // axes' grids alone.
    m_settings->addTab(
        radioPage(
            nullptr,
            {{&m_mode, "Mode", "Mode", {"RealTime", "Peak Hold", "Average", "Infinite Hold"}}},
            {{" Hold Count", "Hold", &m_hold, &m_holdText},
             {"Average Count", "Average", &m_average, &m_averageText}}),
        "Display Mode");
    m_hold->setRange(1, 100);
    m_average->setRange(1, 100);

    // Masks (RF pages).
    if (m.mask >= 0) {
        QList<TUpDownRow> limits;
        if (m.maskLsb >= 0)
            limits = {{" LSB Limit ", "MaskLSB", &m_maskLsb, &m_maskLsbText},
                      {" USB Limit ", "MaskUSB", &m_maskUsb, &m_maskUsbText}};
        m_settings->addTab(
            radioPage(nullptr, {{&m_mask, "Mask", "Display", {"OFF", "ON"}}}, limits), "Masks");
        for (UpDown* u : {m_maskLsb, m_maskUsb}) {
            if (u) {
                u->setRange(-400, -200);
                u->setIncrement(10);
            }
        }
    }

    m_settings->addTab(radioPage(nullptr,
                                 {{&m_fill, "Fill", "Curve Fill", {"OFF", "ON"}},
                                  {&m_colour, "Color", " Color ", {"OFF", " ON", "AUTO"}}},
                                 {{"O dB Ref Level", "Ref", &m_ref, &m_refText}}),
                       "Display Options");
    if (m.kind == TSpectrumPageKind::Composite || m.kind == TSpectrumPageKind::Audio)
        m_colour->hide(); // these pages are never coloured
    m_ref->setRange(-1000, 0);

    m_settings->addTab(gridPage({{"dB", "dB", &m_dB, &m_dBText}, {"VR", "VR", &m_vr, &m_vrText}}),
                       "Vertical Axis");
    m_vr->setRange(0, SpectrumMaxVr);
    m_settings->addTab(
        gridPage({{"HR", "HR", &m_hr, &m_hrText}, {"Freq", "Freq", &m_freq, &m_freqText}}),
        "Horizontal Axis");
    m_hr->setRange(m.kind == TSpectrumPageKind::Rf || m.kind == TSpectrumPageKind::Hd ? 1 : 0,
                   SpectrumMaxHr(m.kind));

    // Measurements: shown on the HD page, kept hidden on the Tavr1 pages.
    QWidget* measure =
        radioPage(this, {{&m_psd, "PSD", " Power Spectral Density", {"OFF", "ON"}}}, {});
    if (setup.hdPowerDensity)
        m_settings->addTab(measure, "Measuremets");
    else
        measure->hide();

    // The hidden RF-input list of the Tavr1 RF page.
    if (setup.rfInputList) {
        m_rfInput = new QComboBox(this);
        m_rfInput->setObjectName("RF_Input_ComboBox");
        m_rfInput->addItems({"ISL 1764", "ISL 882A", "ISL 882D"});
        m_rfInput->hide();
        connect(m_rfInput, &QComboBox::activated, this,
                [this](int i) { change(map().rfInput, i, map().codeRfInput, nullptr); });
    }

    // Audio inputs.
    if (m.inputType >= 0) {
        auto* inputs = new QWidget;
        auto* il = new QHBoxLayout(inputs);
        m_inputType = addRadio(inputs, "InputType", " Input Type ", {"Single", "Dual"});
        il->addWidget(m_inputType);
        auto* sources = new QGridLayout;
        m_input1 = new QComboBox(inputs);
        m_input1->setObjectName(name("Input1_ComboBox"));
        m_input2 = new QComboBox(inputs);
        m_input2->setObjectName(name("Input2_ComboBox"));
        sources->addWidget(new QLabel(" Input #1 ", inputs), 0, 0);
        sources->addWidget(m_input1, 0, 1);
        sources->addWidget(new QLabel(" Input #2 ", inputs), 1, 0);
        sources->addWidget(m_input2, 1, 1);
        for (QComboBox* c : {m_input1, m_input2})
            c->addItems(setup.inputSources);
        il->addLayout(sources);
        il->addStretch();
        m_settings->addTab(inputs, "Inputs");
        connect(m_input1, &QComboBox::activated, this,
                [this](int i) { change(map().input1, i, map().codeInput1, nullptr); });
        connect(m_input2, &QComboBox::activated, this,
                [this](int i) { change(map().input2, i, map().codeInput2, nullptr); });
    }

    // Cursor strip.
    auto* strip = new QHBoxLayout;
    m_c1Text = plainLabel(this, name("C1_StaticText"));
    m_c2Text = plainLabel(this, name("C2_StaticText"));
    fixWidth(m_c1Text, "-1000.0 dB");
    fixWidth(m_c2Text, " -1000.000 kHz  -1000.0dB");
    strip->addWidget(new QLabel("C1", this));
    strip->addWidget(m_c1Text);
    strip->addSpacing(20);
    strip->addWidget(new QLabel("C2", this));
    strip->addWidget(m_c2Text);
    if (m.inputType >= 0) {
        m_c2L = plainLabel(this, name("C2L_StaticText"));
        m_c2R = plainLabel(this, name("C2R_StaticText"));
        m_c2D = plainLabel(this, name("C2D_StaticText"));
        for (QLabel* l : {m_c2L, m_c2R, m_c2D}) {
            fixWidth(l, "-1000.0dB");
            strip->addSpacing(12);
            strip->addWidget(l);
        }
    }
    strip->addStretch();
    outer->addLayout(strip);

    // Track bars and chart(s).
    m_chartRow = new QWidget(this);
    m_chartRow->setObjectName(name("ChartRow"));
    auto* row = new QHBoxLayout(m_chartRow);
    row->setContentsMargins(0, 0, 0, 0);
    m_c1 = new QSlider(Qt::Vertical, m_chartRow);
    m_c1->setObjectName(name("C1_TrackBar"));
    m_c1->setRange(-180, 0);
    m_c1->setTickInterval(10);
    m_c1->setTickPosition(QSlider::TicksRight);
    row->addWidget(m_c1);
    auto* chartColumn = new QVBoxLayout;
    m_chartPanel = new QWidget(m_chartRow);
    m_chartPanel->setObjectName(name("ChartPanel"));
    auto* charts = new QHBoxLayout(m_chartPanel);
    charts->setContentsMargins(0, 0, 0, 0);
    charts->setSpacing(0);
    m_chart = new TSpectrumChart(name("Chart"), setup.cursorColour, setup.maskColour, m_chartPanel);
    charts->addWidget(m_chart);
    if (m.inputType >= 0) {
        m_chart2 =
            new TSpectrumChart(name("Chart2"), setup.cursorColour, setup.maskColour, m_chartPanel);
        charts->addWidget(m_chart2);
    }
    chartColumn->addWidget(m_chartPanel, 1);
    m_c2 = new QSlider(Qt::Horizontal, m_chartRow);
    m_c2->setObjectName(name("C2_TrackBar"));
    m_c2->setRange(0, SpectrumPoints - 1);
    m_c2->setTickInterval(10);
    m_c2->setTickPosition(QSlider::TicksBelow);
    chartColumn->addWidget(m_c2);
    row->addLayout(chartColumn, 1);
    outer->addWidget(m_chartRow, 1);

    m_chart->setMask(setup.mask);
    m_chart->setMaskVisible(false);
}

UpDown* TSpectrumPageView::addUpDown(QWidget* parent, const QString& key, QLabel** text)
{
    auto* u = new UpDown(parent);
    u->setObjectName(name(key + "_UpDown"));
    *text = plainLabel(parent, name(key + "_Text"));
    (*text)->setMinimumWidth(70);
    return u;
}

void TSpectrumPageView::addRows(QGridLayout* grid, QWidget* page, const QList<TUpDownRow>& rows)
{
    for (int i = 0; i < rows.size(); ++i) {
        const TUpDownRow& r = rows[i];
        grid->addWidget(new QLabel(r.caption, page), i, 0);
        *r.upDown = addUpDown(page, r.key, r.text);
        grid->addWidget(*r.text, i, 1);
        grid->addWidget(*r.upDown, i, 2);
    }
}

QWidget* TSpectrumPageView::radioPage(QWidget* parent, const QList<TRadio>& radios,
                                      const QList<TUpDownRow>& rows)
{
    auto* page = new QWidget(parent);
    auto* l = new QHBoxLayout(page);
    for (const TRadio& r : radios) {
        *r.group = addRadio(page, r.key, r.caption, r.items);
        l->addWidget(*r.group);
    }
    if (!rows.isEmpty()) {
        auto* grid = new QGridLayout;
        addRows(grid, page, rows);
        l->addLayout(grid);
    }
    l->addStretch();
    return page;
}

QWidget* TSpectrumPageView::gridPage(const QList<TUpDownRow>& rows)
{
    auto* page = new QWidget;
    auto* grid = new QGridLayout(page);
    addRows(grid, page, rows);
    grid->setColumnStretch(3, 1);
    return page;
}

RadioGroup* TSpectrumPageView::addRadio(QWidget* parent, const QString& key, const QString& caption,
                                        const QStringList& items)
{
    auto* g = new RadioGroup(caption, items, parent, items.size() > 2 ? 2 : 1);
    g->setObjectName(name(key + "_RadioGroup"));
    return g;
}

qint32 TSpectrumPageView::word(int k) const
{
    return m_config && k >= 0 ? m_config->word(k) : 0;
}

void TSpectrumPageView::store(int k, qint32 v)
{
    if (m_config && k >= 0)
        m_config->setWord(k, v);
}

void TSpectrumPageView::send(int code)
{
    if (m_send && code >= 0)
        m_send(code);
}

bool TSpectrumPageView::dualInput() const
{
    return m_config && SpectrumDualInput(map(), *m_config);
}

qint32 TSpectrumPageView::reference() const
{
    const TSpectrumWordMap& m = map();
    if (m.kind == TSpectrumPageKind::Hd)
        return SignedWord16(word(word(m.rfInput) != 0 ? m.referenceHighLevel : m.reference));
    return word(m.reference);
}

void TSpectrumPageView::attach(TSpectrumConfig* config, std::function<void(int)> sendFn,
                               bool* fillingFlag)
{
    m_config = config;
    m_send = std::move(sendFn);
    m_filling = fillingFlag;
    const TSpectrumWordMap& m = map();

    using Show = void (TSpectrumPageView::*)();
    const struct
    {
        UpDown* upDown;
        int item;
        int code;
        Show show;
    } upDowns[] = {
        {m_dB, m.offset, m.codeOffset, &TSpectrumPageView::showVerticalChange},
        {m_vr, m.vr, m.codeVr, &TSpectrumPageView::showVerticalChange},
        {m_freq, m.freq, m.codeFreq, &TSpectrumPageView::showFreqChange},
        {m_hold, m.hold, m.codeHold, &TSpectrumPageView::showTexts},
        {m_average, m.average, m.codeAverage, &TSpectrumPageView::showTexts},
        {m_maskLsb, m.maskLsb, m.codeMaskLsb, &TSpectrumPageView::showTexts},
        {m_maskUsb, m.maskUsb, m.codeMaskUsb, &TSpectrumPageView::showTexts},
    };
    for (const auto& u : upDowns) {
        if (u.upDown)
            connect(u.upDown, &UpDown::clicked, this,
                    [this, u](int v) { change(u.item, v, u.code, u.show); });
    }
    connect(m_hr, &UpDown::clicked, this, &TSpectrumPageView::hrClicked);
    connect(m_c1, &QSlider::valueChanged, this, [this](int position) {
        change(map().c1, std::abs(position), map().codeC1, &TSpectrumPageView::showC1);
    });
    connect(m_c2, &QSlider::valueChanged, this, [this](int position) {
        change(map().c2, position, map().codeC2, &TSpectrumPageView::showC2Change);
    });
    connect(m_ref, &UpDown::clicked, this, [this](int v) {
        const TSpectrumWordMap& mm = map();
        const bool high = mm.kind == TSpectrumPageKind::Hd && word(mm.rfInput) != 0;
        change(high ? mm.referenceHighLevel : mm.reference, v, mm.codeReference,
               &TSpectrumPageView::showTexts);
    });

    const struct
    {
        RadioGroup* group;
        int item;
        int code;
        Show show;
    } radios[] = {
        {m_mode, m.mode, m.codeMode, nullptr},
        {m_fill, m.fill, m.codeFill, &TSpectrumPageView::showFill},
        {m_colour, m.colour, m.codeColour, nullptr},
        {m_mask, m.mask, m.codeMask, &TSpectrumPageView::showMask},
        // The HD window sends id 40 itself once it has set what goes with it.
        {m.kind == TSpectrumPageKind::Hd ? nullptr : m_psd, m.psd, m.codePsd, nullptr},
    };
    for (const auto& r : radios) {
        if (r.group)
            connect(r.group, &RadioGroup::clicked, this,
                    [this, r](int i) { change(r.item, i, r.code, r.show); });
    }
    if (m.kind == TSpectrumPageKind::Hd) {
        connect(m_psd, &RadioGroup::clicked, this, [this](int i) {
            if (filling())
                return;
            emit powerDensityChanged(i == 1);
        });
    }
    if (m_inputType) {
        connect(m_inputType, &RadioGroup::clicked, this, [this](int i) {
            if (filling())
                return;
            store(map().inputType, i);
            send(map().codeInputType);
            emit inputTypeChanged();
        });
    }
}

// ---- Refill -----------------------------------------------------------------

void TSpectrumPageView::refill()
{
    if (!m_config)
        return;
    const TSpectrumWordMap& m = map();
    const bool hd = m.kind == TSpectrumPageKind::Hd;
    m_mode->setItemIndex(word(m.mode));
    m_hold->setPosition(word(m.hold));
    m_average->setPosition(word(m.average));
    m_ref->setPosition(reference());
    // The radio shows what the trace does.
    showFill();
    m_fill->setItemIndex(m_fillMode ? 1 : 0);
    const qint32 colour = word(m.colour);
    m_colour->setItemIndex(colour == 1 || colour == 2 ? colour : 0);
    if (m_mask) {
        m_mask->setItemIndex(maskOn() ? 1 : 0);
        showMask();
    }
    if (m_maskLsb) {
        m_maskLsb->setPosition(SignedWord16(word(m.maskLsb)));
        m_maskUsb->setPosition(SignedWord16(word(m.maskUsb)));
    }
    m_psd->setItemIndex(word(m.psd) == 1 ? 1 : 0);
    if (m_rfInput)
        m_rfInput->setCurrentIndex(word(m.rfInput));
    if (m_inputType) {
        m_inputType->setItemIndex(word(m.inputType));
        m_input1->setCurrentIndex(word(m.input1));
        m_input2->setCurrentIndex(word(m.input2));
    }
    if (hd) {
        // The Antenna input is measured to 1.5 kHz a point at most.
        const int hrMax = word(m.rfInput) == 0 ? 6 : 8;
        m_hr->setRange(1, hrMax);
        if (word(m.hr) > hrMax)
            store(m.hr, hrMax);
    }
    m_hr->setPosition(word(m.hr));
    m_vr->setPosition(word(m.vr));
    showVertical();
    showHorizontal();
    showC1();
    showC2Cursor();
    showTexts();
    layoutCharts();
}

void TSpectrumPageView::showVertical()
{
    m_vertical = SpectrumApplyVertical(map(), *m_config);
    const TSpectrumRange r = SpectrumOffsetRange(word(map().vr));
    m_dB->setRange(r.min, r.max);
    m_dB->setPosition(m_vertical.offset);
    for (TSpectrumChart* c : {m_chart, m_chart2})
        if (c)
            c->setVerticalAxis(m_vertical.bottomDb, m_vertical.topDb, m_vertical.incrementDb);
}

void TSpectrumPageView::showHorizontal()
{
    const TSpectrumWordMap& m = map();
    const bool dual = dualInput();
    const TSpectrumRange r = SpectrumFreqRange(m.kind, word(m.hr), dual);
    m_freq->setRange(r.min, r.max);
    m_freq->setIncrement(r.step);
    m_freq->setPosition(word(m.freq));
    m_horizontal = SpectrumHorizontalAxis(m.kind, word(m.hr), word(m.freq), dual);
    for (TSpectrumChart* c : {m_chart, m_chart2})
        if (c)
            c->setHorizontalAxis(m_horizontal.minKHz, m_horizontal.maxKHz,
                                 m_horizontal.incrementKHz);
}

void TSpectrumPageView::showC1()
{
    FillGuard guard(*m_filling);
    setSlider(m_c1, -180, 0, -word(map().c1));
    const double level = SpectrumC1Level(word(map().c1), m_vertical);
    for (TSpectrumChart* c : {m_chart, m_chart2})
        if (c)
            c->setC1(level);
    setText(m_c1Text, SpectrumC1Text(level));
}

void TSpectrumPageView::showC2Cursor()
{
    FillGuard guard(*m_filling);
    const TSpectrumWordMap& m = map();
    setSlider(m_c2, 0, SpectrumC2Max(m, *m_config), word(m.c2));
    const double f = double(SpectrumC2Hz(m.kind, word(m.hr), word(m.freq), word(m.c2))) / 1000.0;
    for (TSpectrumChart* c : {m_chart, m_chart2})
        if (c)
            c->setC2(f);
}

void TSpectrumPageView::showTexts()
{
    const TSpectrumWordMap& m = map();
    setText(m_dBText, IntField(m_vertical.topDb, 4) + " dB");
    setText(m_vrText, SpectrumVrText(word(m.vr)));
    setText(m_hrText, SpectrumHrText(m.kind, word(m.hr)));
    setText(m_freqText, RealField(9, 3, m_horizontal.freqStartKHz()) + " kHz");
    setText(m_holdText, IntField(word(m.hold), 4));
    setText(m_averageText, IntField(word(m.average), 4));
    setText(m_refText, RealField(6, 1, reference() / 10.0) + " dBFS");
    if (m_maskLsb) {
        setText(m_maskLsbText, dBText(SignedWord16(word(m.maskLsb)) / 10.0));
        setText(m_maskUsbText, dBText(SignedWord16(word(m.maskUsb)) / 10.0));
    }
}

void TSpectrumPageView::layoutCharts()
{
    if (!m_chart2)
        return;
    const bool dual = dualInput();
    m_chart2->setVisible(dual);
    for (QLabel* l : {m_c2L, m_c2R, m_c2D})
        l->setVisible(dual);
    if (!dual)
        m_chart2->clearTrace();
}

void TSpectrumPageView::setHorizontalControlsEnabled(bool enabled)
{
    m_hr->setEnabled(enabled);
    m_freq->setEnabled(enabled);
}

void TSpectrumPageView::setReadOnly(bool readOnly)
{
    m_readOnly = readOnly;
    const bool on = !readOnly;
    for (QWidget* w : std::initializer_list<QWidget*>{
             m_mode, m_hold, m_average, m_mask, m_fill, m_colour, m_ref, m_psd, m_dB, m_vr, m_hr,
             m_c1, m_c2, m_inputType, m_input1, m_input2, m_rfInput})
        if (w)
            w->setEnabled(on);
}

// ---- Handlers ------------------------------------------------------------------

// A word the user changed: stored, shown, then sent.
void TSpectrumPageView::change(int item, qint32 value, int code, void (TSpectrumPageView::*show)())
{
    if (filling())
        return;
    store(item, value);
    if (show)
        (this->*show)();
    send(code);
}

void TSpectrumPageView::showVerticalChange()
{
    // An offset pulled into the new range is stored, not sent: the unit
    // learns it with the next offset change.
    showVertical();
    showC1();
    showTexts();
}

void TSpectrumPageView::showFreqChange()
{
    showHorizontal();
    showC2Cursor();
    SpectrumStoreC2Real(map(), *m_config);
    showTexts();
}

void TSpectrumPageView::showC2Change()
{
    showC2Cursor();
    SpectrumStoreC2Real(map(), *m_config);
}

// The HD unit fills and masks at 1 only; the Tavr1 at any word but 0.
void TSpectrumPageView::showFill()
{
    m_fillMode =
        map().kind == TSpectrumPageKind::Hd ? word(map().fill) == 1 : word(map().fill) != 0;
}

bool TSpectrumPageView::maskOn() const
{
    return map().kind == TSpectrumPageKind::Hd ? word(map().mask) == 1 : word(map().mask) != 0;
}

void TSpectrumPageView::showMask()
{
    m_chart->setMaskVisible(maskOn());
}

void TSpectrumPageView::hrClicked(int position)
{
    if (filling())
        return;
    const TSpectrumWordMap& m = map();
    store(m.hr, position);
    send(m.codeHr);
    // Re-centred offset and C2 are the unit's to compute too; not sent.
    SpectrumApplyHr(m, *m_config);
    {
        FillGuard guard(*m_filling);
        showHorizontal();
        showC2Cursor();
    }
    showTexts();
}

// ---- Drawing -------------------------------------------------------------------

void TSpectrumPageView::clearTraces()
{
    for (TSpectrumChart* c : {m_chart, m_chart2})
        if (c)
            c->clearTrace();
}

void TSpectrumPageView::draw(const std::array<qint32, SpectrumPoints>& spectrum)
{
    if (!m_config)
        return;
    const TSpectrumWordMap& m = map();
    const qint32 ref = reference();
    const int c2 = word(m.c2);
    if (dualInput()) {
        SpectrumBuildTrace(m_horizontal, spectrum.data(), 251, ref, 0, false, m_trace);
        SpectrumBuildTrace(m_horizontal, spectrum.data() + 251, 250, ref, 0, false, m_trace2);
        m_chart->drawTrace(m_trace, m_fillMode);
        m_chart2->drawTrace(m_trace2, m_fillMode);
        const double l = SpectrumLevel(spectrum, c2, ref);
        const double r = SpectrumLevel(spectrum, c2 + 251, ref);
        setText(m_c2L, SpectrumLevelText(l));
        setText(m_c2R, SpectrumLevelText(r));
        setText(m_c2D, SpectrumLevelText(std::fabs(l - r)));
    } else {
        const bool antenna = m.kind == TSpectrumPageKind::Hd && word(m.rfInput) == 0;
        SpectrumBuildTrace(m_horizontal, spectrum.data(), SpectrumPoints, ref, word(m.colour),
                           antenna, m_trace);
        m_chart->drawTrace(m_trace, m_fillMode);
    }
    const qint64 fHz = SpectrumC2Hz(m.kind, word(m.hr), word(m.freq), c2);
    setText(m_c2Text, SpectrumC2Text(m.kind, fHz, SpectrumLevel(spectrum, c2, ref)));
}
