// The designed form of the Tavr1 front panel: where every readout, lamp, bar
// and track bar sits. Behaviour is in Tavr1_Panel.cpp.
#include "tavr1/Tavr1_Panel.h"

#include "widgets/FixedFont.h"
#include "widgets/Lamp.h"
#include "widgets/ReadoutLabel.h"

#include <QFrame>
#include <QLabel>
#include <QSlider>

namespace {

constexpr int ReadoutPixels = 14;
constexpr int FrequencyPixels = 30;

void paintBlack(QWidget* w)
{
    QPalette pal = w->palette();
    pal.setColor(QPalette::Window, Qt::black);
    w->setPalette(pal);
    w->setAutoFillBackground(true);
}

// One of the two black halves, edged in dark grey so they read as two
// plates of the instrument's face.
QWidget* half(QWidget* parent, const char* name, const QRect& geometry)
{
    auto* w = new QFrame(parent);
    w->setObjectName(name);
    w->setGeometry(geometry);
    w->setFrameShape(QFrame::Box);
    w->setLineWidth(1);
    paintBlack(w);
    QPalette pal = w->palette();
    pal.setColor(QPalette::WindowText, QColor(0x50, 0x50, 0x50));
    w->setPalette(pal);
    return w;
}

ReadoutLabel* readout(QWidget* parent, const char* name, const QRect& geometry,
                      int pixels = ReadoutPixels)
{
    auto* l = new ReadoutLabel(parent);
    l->setObjectName(name);
    l->setFont(FixedPitchBoldFont(pixels));
    QPalette pal = l->palette();
    pal.setColor(QPalette::WindowText, Qt::yellow);
    l->setPalette(pal);
    l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    l->setGeometry(geometry);
    // Filled with the black of its half: a new reading repaints the label
    // alone, not the half and its edge behind it.
    l->setAutoFillBackground(true);
    return l;
}

QLabel* caption(QWidget* parent, const QString& name, const QString& text, const QRect& geometry,
                Qt::Alignment align = Qt::AlignLeft | Qt::AlignVCenter)
{
    auto* l = new QLabel(parent);
    l->setTextFormat(Qt::PlainText);
    l->setText(text);
    l->setObjectName("Cap_" + name);
    QFont f = l->font();
    f.setBold(true);
    f.setPixelSize(11);
    l->setFont(f);
    QPalette pal = l->palette();
    pal.setColor(QPalette::WindowText, Qt::white);
    l->setPalette(pal);
    l->setAlignment(align);
    l->setGeometry(geometry);
    return l;
}

Lamp* lamp(QWidget* parent, const char* name, const QRect& geometry, const QColor& color)
{
    auto* s = new Lamp(parent, color);
    s->setObjectName(name);
    s->setGeometry(geometry);
    return s;
}

// A 128 x 20 strip that holds a bar; its segments are clipped at its edges.
QWidget* strip(QWidget* parent, const char* name, const QPoint& at)
{
    auto* w = new QWidget(parent);
    w->setObjectName(name);
    w->setGeometry(QRect(at, QSize(128, 20)));
    QPalette pal = w->palette();
    pal.setColor(QPalette::Window, QColor(0x20, 0x20, 0x20));
    w->setPalette(pal);
    w->setAutoFillBackground(true);
    return w;
}

QSlider* trackBar(QWidget* parent, const char* name, int max, const QRect& geometry)
{
    auto* s = new QSlider(Qt::Horizontal, parent);
    s->setObjectName(name);
    s->setRange(0, max);
    s->setSingleStep(1);
    s->setPageStep(max >= 100 ? 10 : 4);
    s->setTickPosition(QSlider::TicksBelow);
    s->setTickInterval(1);
    s->setFocusPolicy(Qt::StrongFocus);
    s->setGeometry(geometry);
    // Tick marks in grey, so they show on the black face.
    QPalette pal = s->palette();
    pal.setColor(QPalette::WindowText, Qt::gray);
    pal.setColor(QPalette::Text, Qt::gray);
    s->setPalette(pal);
    return s;
}

} // namespace

void TTavr1Panel::buildUi()
{
    paintBlack(this);
    // The halves sit inside the one-pixel white frame the panel draws.
    Panel1 = half(this, "Panel1", QRect(1, 1, 598, 129));
    Panel2 = half(this, "Panel2", QRect(1, 130, 598, 124));

    // Top half: tuning, RF level, attenuator.
    FreqLabel = readout(Panel1, "FreqLabel", QRect(14, 8, 110, 40), FrequencyPixels);
    caption(Panel1, "FreqLabel", "MHz", QRect(130, 24, 40, 18));
    Tuning_TB = trackBar(Panel1, "Tuning_TB", TuningSteps, QRect(10, 72, 262, 48));

    caption(Panel1, "LD_RF_Lev", "RF Level", QRect(296, 10, 128, 16));
    LD_RF_Lev = readout(Panel1, "LD_RF_Lev", QRect(296, 28, 128, 20));
    RF_Lev_Strip = strip(Panel1, "RF_Lev_Strip", QPoint(296, 54));
    static constexpr int segmentLefts[7] = {3, 23, 43, 63, 84, 105, 114};
    for (int i = 0; i < 7; ++i) {
        const QByteArray name = "RF_Lev_Bar" + QByteArray::number(i + 1);
        RF_Lev_Bar[i] = lamp(RF_Lev_Strip, name.constData(), QRect(segmentLefts[i], 5, 0, 10),
                             i < 2   ? Yellow
                             : i < 5 ? Lime
                                     : Red);
    }

    caption(Panel1, "LD_RF_Atten", "RF Atten", QRect(452, 10, 128, 16));
    LD_RF_Atten = readout(Panel1, "LD_RF_Atten", QRect(452, 28, 128, 20));
    Atten_Strip = strip(Panel1, "Atten_Strip", QPoint(452, 54));
    Atten_Bar1 = lamp(Atten_Strip, "Atten_Bar1", QRect(4, 5, 120, 10), Lime);
    Atten_Bar2 = lamp(Atten_Strip, "Atten_Bar2", QRect(124, 5, 0, 10), Yellow);
    Atten_TB = trackBar(Panel1, "Atten_TB", AttenuatorMax, QRect(446, 78, 140, 42));
    // A dark plate under the attenuator track bar, so its ticks show.
    QPalette plate = Atten_TB->palette();
    plate.setColor(QPalette::Window, QColor(0x40, 0x40, 0x40));
    Atten_TB->setPalette(plate);
    Atten_TB->setAutoFillBackground(true);

    // Bottom half, first row: the five peaks.
    struct Peak
    {
        ReadoutLabel** field;
        const char* name;
        const char* text;
    };
    const Peak peaks[] = {
        {&LD_Total_Peak, "LD_Total_Peak", "Total"}, {&LD_Left_Peak, "LD_Left_Peak", "L"},
        {&LD_Right_Peak, "LD_Right_Peak", "R"},     {&LD_LPR_Peak, "LD_LPR_Peak", "L+R"},
        {&LD_LMR_Peak, "LD_LMR_Peak", "L-R"},
    };
    for (int i = 0; i < 5; ++i) {
        const int x = 8 + 118 * i;
        // The total peak has its lamp beside the field.
        const QRect field = i == 0 ? QRect(x + 26, 24, 82, 20) : QRect(x, 24, 108, 20);
        caption(Panel2, peaks[i].name, peaks[i].text, QRect(field.x(), 6, field.width(), 16),
                Qt::AlignCenter);
        // The fields are padded to a fixed width, so centring keeps the
        // digits in place from one reading to the next.
        *peaks[i].field = readout(Panel2, peaks[i].name, field);
        (*peaks[i].field)->setAlignment(Qt::AlignCenter);
    }
    LED_Total_Peak = lamp(Panel2, "LED_Total_Peak", QRect(8, 24, 20, 20), Maroon);

    // Second row: pilot, RDS and the two SCA channels, each a header with its
    // lamps and two readings below.
    struct Group
    {
        const char* header;
        const char* headerName;
        ReadoutLabel** first;
        const char* firstName;
        ReadoutLabel** second;
        const char* secondName;
        const char* secondText;
    };
    const Group groups[] = {
        {"Pilot", "Pilot", &LD_Pilot_Inj, "LD_Pilot_Inj", &LD_Pilot_Mod, "LD_Pilot_Mod", "Mod"},
        {"RDS", "RDS", &LD_RDS_Inj, "LD_RDS_Inj", &LD_RDS_Ph, "LD_RDS_Ph", "Ph"},
        {"SCA#1", "SCA1", &LD_SCA1_Inj, "LD_SCA1_Inj", &LD_SCA1_Peak, "LD_SCA1_Peak", "Peak"},
        {"SCA#2", "SCA2", &LD_SCA2_Inj, "LD_SCA2_Inj", &LD_SCA2_Peak, "LD_SCA2_Peak", "Peak"},
    };
    for (int i = 0; i < 4; ++i) {
        const Group& g = groups[i];
        const int x = 8 + 148 * i;
        caption(Panel2, g.headerName, g.header, QRect(x, 56, 56, 16));
        caption(Panel2, g.firstName, "Inj", QRect(x, 76, 34, 20));
        *g.first = readout(Panel2, g.firstName, QRect(x + 34, 76, 78, 20));
        QLabel* second = caption(Panel2, g.secondName, g.secondText, QRect(x, 98, 34, 20));
        *g.second = readout(Panel2, g.secondName, QRect(x + 34, 98, 78, 20));
        if (*g.second == LD_RDS_Ph) {
            // The phase reading is designed in but the unit does not report it.
            second->hide();
            LD_RDS_Ph->hide();
        }
    }
    LED_Pilot = lamp(Panel2, "LED_Pilot", QRect(64, 57, 25, 15), Green);
    LED_RDS = lamp(Panel2, "LED_RDS", QRect(212, 57, 25, 15), Green);
    LED_RDS_SYNC = lamp(Panel2, "LED_RDS_SYNC", QRect(242, 57, 25, 15), Olive);
    LED_SCA1_Inj = lamp(Panel2, "LED_SCA1_Inj", QRect(360, 57, 25, 15), Green);
    LED_SCA1_Peak = lamp(Panel2, "LED_SCA1_Peak", QRect(422, 101, 25, 15), Maroon);
    LED_SCA2_INJ = lamp(Panel2, "LED_SCA2_INJ", QRect(508, 57, 25, 15), Green);
    LED_SCA2_Peak = lamp(Panel2, "LED_SCA2_Peak", QRect(570, 101, 25, 15), Maroon);
}
