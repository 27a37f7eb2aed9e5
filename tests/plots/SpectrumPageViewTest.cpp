// The spectrum page view's controls as the user works them, on each of the
// four pages (Tavr1 RF, composite and audio, the HD page): every control
// stores its own word, sends its own code once, and shows afterwards what a
// refill from the same words shows; under the window's guard it does
// nothing.
#include "TestSupport.h"

#include "common/OutputSources.h"
#include "plots/SpectrumChart.h"
#include "plots/SpectrumPageView.h"
#include "widgets/RadioGroup.h"
#include "widgets/UpDown.h"

#include <QComboBox>
#include <QHash>
#include <QLabel>
#include <QLineSeries>
#include <QRadioButton>
#include <QSlider>
#include <QToolButton>
#include <gtest/gtest.h>
#include <memory>

namespace {

class WordConfig : public TSpectrumConfig
{
public:
    qint32 word(int k) const override { return words.value(k); }
    void setWord(int k, qint32 v) override { words[k] = v; }
    double real(int firstWord) const override { return reals.value(firstWord); }
    void setReal(int firstWord, double v) override { reals[firstWord] = v; }

    QHash<int, qint32> words;
    QHash<int, double> reals;
};

using M = TSpectrumWordMap;

struct Page
{
    const char* what;
    TSpectrumPageView::TSetup setup;
};

Page pageSetup(int page)
{
    TSpectrumPageView::TSetup s;
    if (page == 3) {
        s.map = &HdSpectrumWords();
        s.prefix = "HD";
        s.mask = HdRfMask();
        s.hdPowerDensity = true;
        return {"HD", s};
    }
    static const char* const prefixes[] = {"RF", "CMP", "AUD"};
    static const char* const names[] = {"RF", "composite", "audio"};
    s.map = &Tavr1SpectrumWords(page);
    s.prefix = prefixes[page];
    if (page == 0) {
        s.mask = Tavr1RfMask();
        s.rfInputList = true;
    }
    if (page == 2)
        s.inputSources = Tavr1OutputSources();
    return {names[page], s};
}

class SpectrumPageViewTest : public ::testing::Test
{
protected:
    void open(int page)
    {
        const Page p = pageSetup(page);
        view = std::make_unique<TSpectrumPageView>(p.setup);
        const M& m = *p.setup.map;
        config = WordConfig();
        for (auto [k, v] : {std::pair{m.vr, 2},
                            {m.hr, 4},
                            {m.freq, 20},
                            {m.c2, 100},
                            {m.hold, 10},
                            {m.average, 10},
                            {m.reference, -500},
                            {m.referenceHighLevel, -400},
                            {m.maskLsb, 0xFED4},
                            {m.maskUsb, 0xFED4}})
            if (k >= 0)
                config.words[k] = v;
        sent.clear();
        view->attach(
            &config, [this](int code) { sent << code; }, &filling);
        filling = true;
        view->refill();
        filling = false;
    }

    // What the page shows: every named readout, control and the chart's mask.
    QStringList shown() const
    {
        QStringList out;
        for (QLabel* l : view->findChildren<QLabel*>())
            if (!l->objectName().isEmpty())
                out << l->objectName() + "=" + l->text();
        for (UpDown* u : view->findChildren<UpDown*>())
            out << u->objectName() +
                       QString("=%1 %2..%3").arg(u->position()).arg(u->minimum()).arg(u->maximum());
        for (QSlider* s : view->findChildren<QSlider*>())
            out << s->objectName() +
                       QString("=%1 %2..%3").arg(s->value()).arg(s->minimum()).arg(s->maximum());
        for (RadioGroup* g : view->findChildren<RadioGroup*>())
            out << g->objectName() + "=" + QString::number(g->itemIndex());
        for (QComboBox* c : view->findChildren<QComboBox*>())
            out << c->objectName() + "=" + QString::number(c->currentIndex());
        out << QString("mask=%1 fill=%2")
                   .arg(view->chart()->maskSeries()->isVisible())
                   .arg(view->fillMode());
        return out;
    }

    std::unique_ptr<TSpectrumPageView> view;
    WordConfig config;
    QList<int> sent;
    bool filling = false;
};

enum class How
{
    Arrow,  // the up arrow, or the down arrow at the top of the range
    Slider, // moved to arg
    Radio,  // item arg clicked
    Combo,  // item arg chosen
};

struct Action
{
    const char* key; // the control's name after the page's prefix
    How how;
    int arg;
    int M::*item;
    int M::*code;
};

const Action Actions[] = {
    {"dB_UpDown", How::Arrow, 0, &M::offset, &M::codeOffset},
    {"VR_UpDown", How::Arrow, 0, &M::vr, &M::codeVr},
    {"HR_UpDown", How::Arrow, 0, &M::hr, &M::codeHr},
    {"Freq_UpDown", How::Arrow, 0, &M::freq, &M::codeFreq},
    {"Hold_UpDown", How::Arrow, 0, &M::hold, &M::codeHold},
    {"Average_UpDown", How::Arrow, 0, &M::average, &M::codeAverage},
    {"Ref_UpDown", How::Arrow, 0, &M::reference, &M::codeReference},
    {"MaskLSB_UpDown", How::Arrow, 0, &M::maskLsb, &M::codeMaskLsb},
    {"MaskUSB_UpDown", How::Arrow, 0, &M::maskUsb, &M::codeMaskUsb},
    {"C1_TrackBar", How::Slider, -30, &M::c1, &M::codeC1},
    {"C2_TrackBar", How::Slider, 120, &M::c2, &M::codeC2},
    {"Mode_RadioGroup", How::Radio, 2, &M::mode, &M::codeMode},
    {"Fill_RadioGroup", How::Radio, 1, &M::fill, &M::codeFill},
    {"Color_RadioGroup", How::Radio, 1, &M::colour, &M::codeColour},
    {"Mask_RadioGroup", How::Radio, 1, &M::mask, &M::codeMask},
    {"PSD_RadioGroup", How::Radio, 1, &M::psd, &M::codePsd},
    {"InputType_RadioGroup", How::Radio, 1, &M::inputType, &M::codeInputType},
    {"Input1_ComboBox", How::Combo, 2, &M::input1, &M::codeInput1},
    {"Input2_ComboBox", How::Combo, 3, &M::input2, &M::codeInput2},
    {"Input_ComboBox", How::Combo, 1, &M::rfInput, &M::codeRfInput},
};

// Works the control; returns the value it should have stored.
qint32 act(QWidget* c, const Action& a)
{
    switch (a.how) {
    case How::Arrow: {
        auto* u = static_cast<UpDown*>(c);
        const bool up = u->position() < u->maximum();
        u->findChild<QToolButton*>(up ? "Up" : "Down")->click();
        return u->position();
    }
    case How::Slider:
        static_cast<QSlider*>(c)->setValue(a.arg);
        return std::abs(a.arg);
    case How::Radio:
        static_cast<RadioGroup*>(c)->button(a.arg)->click();
        return a.arg;
    case How::Combo:
        static_cast<QComboBox*>(c)->setCurrentIndex(a.arg);
        emit static_cast<QComboBox*>(c)->activated(a.arg);
        return a.arg;
    }
    return 0;
}

} // namespace

TEST_F(SpectrumPageViewTest, EveryControlStoresItsWordSendsItsCodeAndShowsWhatARefillShows)
{
    int worked = 0;
    for (int page = 0; page < 4; ++page) {
        for (const Action& a : Actions) {
            open(page);
            const M& m = view->map();
            if (m.*a.item < 0 || m.*a.code < 0)
                continue;
            if (m.kind == TSpectrumPageKind::Hd && a.item == &M::psd)
                continue; // the HD window sends its power density itself
            SCOPED_TRACE(QString("%1 %2").arg(pageSetup(page).what, a.key).toStdString());
            auto* c = view->findChild<QWidget*>(pageSetup(page).setup.prefix + "_" + a.key);
            ASSERT_NE(c, nullptr);

            // Under the guard: nothing stored, nothing sent.
            const QHash<int, qint32> before = config.words;
            filling = true;
            act(c, a);
            filling = false;
            EXPECT_EQ(config.words, before);
            EXPECT_TRUE(sent.isEmpty());

            open(page);
            c = view->findChild<QWidget*>(pageSetup(page).setup.prefix + "_" + a.key);
            const qint32 was = config.word(m.*a.item);
            const qint32 v = act(c, a);
            EXPECT_NE(v, was) << "the action changes the word";
            EXPECT_EQ(config.word(m.*a.item), v);
            EXPECT_EQ(sent, QList<int>{m.*a.code});
            ++worked;
            if (a.item == &M::inputType)
                continue; // the window lays out and resets the page for the type
            const QStringList afterChange = shown();
            filling = true;
            view->refill();
            filling = false;
            EXPECT_EQ(afterChange.join('|').toStdString(), shown().join('|').toStdString());
            EXPECT_EQ(sent, QList<int>{m.*a.code}) << "a refill sends nothing";
        }
    }
    EXPECT_EQ(worked, 15 + 13 + 16 + 15) << "every control of the four pages";
}

// The HD reference follows the input: the Antenna input's word, or the
// high-level input's; the HD power density is the window's to send.
TEST_F(SpectrumPageViewTest, HdReferenceFollowsTheInputAndPowerDensityIsTheWindows)
{
    for (const int input : {0, 1}) {
        SCOPED_TRACE(input);
        open(3);
        const M& m = view->map();
        config.words[m.rfInput] = input;
        filling = true;
        view->refill();
        filling = false;
        auto* ref = view->findChild<UpDown*>("HD_Ref_UpDown");
        EXPECT_EQ(ref->position(), input == 0 ? -500 : -400);
        ref->findChild<QToolButton*>("Up")->click();
        EXPECT_EQ(config.word(m.reference), input == 0 ? -499 : -500);
        EXPECT_EQ(config.word(m.referenceHighLevel), input == 0 ? -400 : -399);
        EXPECT_EQ(sent, QList<int>{m.codeReference});
    }
    open(3);
    QList<bool> densities;
    QObject::connect(view.get(), &TSpectrumPageView::powerDensityChanged,
                     [&](bool on) { densities << on; });
    view->findChild<RadioGroup*>("HD_PSD_RadioGroup")->button(1)->click();
    EXPECT_EQ(densities, QList<bool>{true});
    EXPECT_TRUE(sent.isEmpty());
    EXPECT_EQ(config.word(view->map().psd), 0);
}
