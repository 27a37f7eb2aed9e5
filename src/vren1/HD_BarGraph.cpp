#include "vren1/HD_BarGraph.h"

#include "common/FieldHelpers.h"
#include "link/Frame2.h"
#include "platform/UserMessages.h"
#include "protocol/hd/HdRequests.h"
#include "tavr1/Tavr1_BarChart.h"
#include "widgets/FillGuard.h"
#include "widgets/FixedFont.h"
#include "widgets/NamedColours.h"
#include "widgets/UpDown.h"

#include <QBarSet>
#include <QGroupBox>
#include <QLabel>
#include <QScreen>
#include <QVBoxLayout>

namespace {

constexpr int FirstScaleWord = 168;
constexpr int ScaleId = 170;
constexpr int SourceCount = 9;
constexpr int ChartWidth = 660;
constexpr int ChartHeight = 96;

using NamedColour::Lime;
using NamedColour::Red;
using NamedColour::Yellow;

const char* const sourceCaptions[SourceCount] = {" Analog ", " HD 1 ", " HD 2 ", " HD 3 ", " HD 4 ",
                                                 " HD 5 ",   " HD 6 ", " HD 7 ", " HD 8 "};

TTavr1BarChart* makeChart(QWidget* parent, int n, const QString& title,
                          const QList<QColor>& colours, double max, double increment)
{
    auto* view = new TTavr1BarChart(title, colours, parent);
    view->setObjectName(QString("Chart%1").arg(n));
    view->setFixedSize(ChartWidth, ChartHeight);
    view->setValueAxis(0, max, increment);
    return view;
}

// Peak, average and minimum of one record, in percent.
void showTriple(TTavr1BarChart* chart, const THdMeasurementRec& r)
{
    const double peak = r.Peak / 10.0, average = r.Average / 10.0, minimum = r.Minimum / 10.0;
    chart->setBar(0, peak, HdBarTitle(THdBarText::Peak, peak));
    chart->setBar(1, average, HdBarTitle(THdBarText::Average, average));
    chart->setBar(2, minimum, HdBarTitle(THdBarText::Minimum, minimum));
}

void paintBlack(QWidget* w)
{
    w->setAutoFillBackground(true);
    QPalette p = w->palette();
    p.setColor(QPalette::Window, Qt::black);
    p.setColor(QPalette::WindowText, Qt::white);
    w->setPalette(p);
}

void centre(QWidget* w)
{
    if (QScreen* s = w->screen())
        w->move(s->availableGeometry().center() - w->rect().center());
}

QString scaleText(int p)
{
    return RealField(5, 1, -p / 10.0) + " dBFS";
}

} // namespace

QString HdBarTitle(THdBarText text, double v)
{
    switch (text) {
    case THdBarText::Peak:
        return "PEAK " + FixedField(3, 1, v) + "%";
    case THdBarText::Average:
        return "AVE  " + FixedField(3, 1, v) + "%";
    case THdBarText::Minimum:
        return "MIN  " + FixedField(3, 1, v) + "%";
    case THdBarText::Injection:
        return "INJ_ " + FixedField(3, 1, v) + "%";
    }
    return {};
}

// ---- THDBarGraph ------------------------------------------------------------

int THDBarGraph::firstRecord(int index)
{
    return index >= 0 && index < SourceCount ? 8 + 4 * index : -1;
}

int THDBarGraph::scaleWord(int index)
{
    return index >= 0 && index < SourceCount ? FirstScaleWord + index : -1;
}

THDBarGraph::THDBarGraph(const TChildWindowArgs& args)
    : TInstrumentChildWindow(args, Kind, UM_HD_REFRESH, TRefreshPolicy::AnyLParam)
{
    setDesignedName(WindowToken::HdBarGraph, " Vren-1 Bar Graph");
    paintBlack(this);

    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(8, 6, 8, 6);
    GroupBox3 = new QGroupBox(this);
    GroupBox3->setObjectName("GroupBox3");
    auto* charts = new QVBoxLayout(GroupBox3);
    charts->setContentsMargins(4, 14, 4, 4);
    charts->setSpacing(2);
    const char* const titles[4] = {" L ", " R ", "L+R", "L-R"};
    for (int n = 0; n < 4; ++n) {
        TTavr1BarChart* c = makeChart(GroupBox3, n + 1, titles[n], {Red, Yellow, Lime}, 125, 10);
        charts->addWidget(c);
        Charts << c;
    }
    outer->addWidget(GroupBox3);

    auto* scale = new QGroupBox(" Scale Factor ", this);
    scale->setObjectName("GroupScale");
    auto* row = new QHBoxLayout(scale);
    BGScaleText = new QLabel(" -6.0 dBFS", scale);
    BGScaleText->setObjectName("BGScaleText");
    BGScaleText->setTextFormat(Qt::PlainText);
    BGScaleText->setFont(FixedPitchBoldFont(14));
    UpDown1 = new UpDown(scale);
    UpDown1->setObjectName("UpDown1");
    UpDown1->setRange(0, 200);
    UpDown1->setPosition(0);
    row->addWidget(BGScaleText);
    row->addWidget(UpDown1);
    row->addStretch(1);
    outer->addWidget(scale);
    connect(UpDown1, &UpDown::clicked, this, &THDBarGraph::UpDown1Click);
    if (frame() && frame()->ReadOnlyAccess)
        UpDown1->setEnabled(false);

    // FormCreate: the scale, then the first values.
    reloadScale();
    RefreshWindow(0);
    adjustSize();
    centre(this);
}

void THDBarGraph::reloadScale()
{
    const TFrame2* f = frame();
    const int word = scaleWord(index());
    const int p = f && word >= 0 ? f->HdLocalConfig[word] : 0;
    FillGuard guard(Filling);
    UpDown1->setPosition(p);
    if (BGScaleText->text() != scaleText(p))
        BGScaleText->setText(scaleText(p));
}

void THDBarGraph::RefreshWindow(qintptr)
{
    TFrame2* f = frame();
    if (!f)
        return;
    // Several bar-graph windows share the one scale flag and the first to
    // refresh clears it; each also reloads when its word no longer matches
    // what it shows, so every open window follows the unit.
    const int word = scaleWord(index());
    const bool flagged = f->PageRefresh.take(prHdBarScale);
    if (flagged || (word >= 0 && f->HdLocalConfig[word] != UpDown1->position()))
        reloadScale();

    const int first = firstRecord(index());
    if (first < 0)
        return;
    if (GroupBox3->title() != sourceCaptions[index()])
        GroupBox3->setTitle(sourceCaptions[index()]);
    for (int n = 0; n < 4; ++n)
        showTriple(Charts[n], f->HdMeasurements[size_t(first + n)]);
}

void THDBarGraph::UpDown1Click()
{
    TFrame2* f = frame();
    const int word = scaleWord(index());
    if (Filling || !f || word < 0)
        return;
    const int p = UpDown1->position();
    BGScaleText->setText(scaleText(p));
    f->HdLocalConfig[word] = p;
    QueueSetParameter(*f, ScaleId, 0, 0, 0, quint8(index()));
}

// ---- THDAnalogBG ------------------------------------------------------------

namespace {

// The analog window is always index 9: the slot the panel keeps it in and the
// index it reports on close.
TChildWindowArgs analogArgs(TChildWindowArgs args)
{
    args.index = 9;
    return args;
}

} // namespace

THDAnalogBG::THDAnalogBG(const TChildWindowArgs& args)
    : TInstrumentChildWindow(analogArgs(args), Kind, UM_HD_REFRESH, TRefreshPolicy::ZeroLParam)
{
    setDesignedName(WindowToken::HdBarGraph, " Vren-1 Analog Bar Graph");
    paintBlack(this);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 6, 8, 6);
    layout->setSpacing(2);
    const char* const titles[5] = {" L ", " R ", "L+R", "L-R", " T "};
    for (int n = 0; n < 5; ++n)
        Charts << makeChart(this, n + 1, titles[n], {Red, Yellow, Lime}, 125, 10);
    Charts << makeChart(this, 6, " P ", {Lime}, 12.5, 1);
    Charts << makeChart(this, 7, "RDS", {Yellow}, 12.5, 1);
    for (TTavr1BarChart* c : Charts)
        layout->addWidget(c);
    RefreshWindow(0);
    adjustSize();
    centre(this);
}

void THDAnalogBG::RefreshWindow(qintptr)
{
    const TFrame2* f = frame();
    if (!f)
        return;
    const auto& m = f->HdMeasurements;
    for (int n = 0; n < 4; ++n)
        showTriple(Charts[n], m[size_t(2 + n)]);
    showTriple(Charts[4], m[1]);
    const double pilot = m[6].Injection / 10.0, rds = m[7].Injection / 10.0;
    Charts[5]->setBar(0, pilot, HdBarTitle(THdBarText::Injection, pilot));
    Charts[6]->setBar(0, rds, HdBarTitle(THdBarText::Injection, rds));
}
