// The designed form of the Vren1 front panel: where every lamp, readout, bar
// and button sits. Behaviour is in Vren1_Panel.cpp.
#include "vren1/Vren1_Panel.h"

#include "widgets/FixedFont.h"
#include "widgets/Lamp.h"
#include "widgets/ReadoutLabel.h"

#include <QLabel>
#include <QSlider>
#include <QToolButton>

namespace {

constexpr int ReadoutPixels = 14;

void paintBlack(QWidget* w)
{
    QPalette pal = w->palette();
    pal.setColor(QPalette::Window, Qt::black);
    w->setPalette(pal);
    w->setAutoFillBackground(true);
}

void setTextColour(QWidget* w, const QColor& c)
{
    QPalette pal = w->palette();
    pal.setColor(QPalette::WindowText, c);
    w->setPalette(pal);
}

ReadoutLabel* readout(QWidget* parent, const char* name, const QString& design,
                      const QRect& geometry, Qt::Alignment align = Qt::AlignLeft | Qt::AlignVCenter)
{
    auto* l = new ReadoutLabel(parent);
    l->setObjectName(name);
    l->setTextFormat(Qt::PlainText);
    l->setFont(FixedPitchBoldFont(ReadoutPixels));
    setTextColour(l, Qt::yellow);
    l->setAlignment(align);
    l->setGeometry(geometry);
    l->setText(design);
    return l;
}

QLabel* caption(QWidget* parent, const QString& name, const QString& text, const QRect& geometry,
                Qt::Alignment align = Qt::AlignLeft | Qt::AlignVCenter)
{
    auto* l = new QLabel(text, parent);
    l->setObjectName("Cap_" + name);
    l->setTextFormat(Qt::PlainText);
    QFont f = l->font();
    f.setBold(true);
    f.setPixelSize(11);
    l->setFont(f);
    setTextColour(l, Qt::white);
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

} // namespace

void TVren1Panel::buildUi()
{
    paintBlack(this);

    // Status lamps, top left.
    const struct
    {
        Lamp** lamp;
        const char* name;
        const char* text;
    } lamps[] = {{&LED1, "LED1", "HD Station"},
                 {&LED2, "LED2", "Digital Audio"},
                 {&LED3, "LED3", "SIS CRC"}};
    for (int i = 0; i < 3; ++i) {
        *lamps[i].lamp = lamp(this, lamps[i].name, QRect(12, 12 + i * 22, 14, 14), Green);
        caption(this, lamps[i].name, lamps[i].text, QRect(32, 10 + i * 22, 100, 18));
    }

    // Frequency and tuning.
    FreqLabel = new ReadoutLabel(this);
    FreqLabel->setObjectName("FreqLabel");
    FreqLabel->setTextFormat(Qt::PlainText);
    QFont freqFont("Arial");
    freqFont.setPixelSize(32);
    freqFont.setBold(true);
    FreqLabel->setFont(freqFont);
    setTextColour(FreqLabel, Qt::yellow);
    FreqLabel->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    FreqLabel->setGeometry(140, 4, 110, 40);
    FreqLabel->setText("100.1");
    caption(this, "MHz", "MHz", QRect(256, 22, 40, 18));

    Tuning_TB = new QSlider(Qt::Horizontal, this);
    Tuning_TB->setObjectName("Tuning_TB");
    Tuning_TB->setRange(0, TuningSteps);
    Tuning_TB->setSingleStep(1);
    Tuning_TB->setPageStep(10);
    Tuning_TB->setFocusPolicy(Qt::StrongFocus);
    Tuning_TB->setGeometry(140, 50, 160, 22);

    // RF level: caption, number and the seven-segment bar.
    LRFLevel = caption(this, "RF_Level", "RF Level", QRect(330, 8, 70, 18));
    LRFLevel->setObjectName("LRFLevel");
    LD_RF_Lev = readout(this, "LD_RF_Lev", "***.* %", QRect(400, 6, 90, 22),
                        Qt::AlignRight | Qt::AlignVCenter);
    RF_Lev_Strip = new QWidget(this);
    RF_Lev_Strip->setObjectName("RF_Lev_Strip");
    RF_Lev_Strip->setGeometry(330, 32, 128, 20);
    {
        QPalette pal = RF_Lev_Strip->palette();
        pal.setColor(QPalette::Window, QColor(0x20, 0x20, 0x20));
        RF_Lev_Strip->setPalette(pal);
        RF_Lev_Strip->setAutoFillBackground(true);
    }
    static constexpr int lefts[7] = {3, 23, 43, 63, 83, 103, 112};
    for (int i = 0; i < 7; ++i) {
        const QByteArray name = "RF_Lev_Bar" + QByteArray::number(i + 1);
        RF_Lev_Bar[size_t(i)] =
            lamp(RF_Lev_Strip, name.constData(), QRect(lefts[i], 3, 0, 14), Yellow);
    }
    StereoLabel = caption(this, "ST", "ST", QRect(470, 32, 24, 18));
    StereoLabel->setObjectName("StereoLabel");
    StereoLabel->setVisible(false);
    StereoLabel->setEnabled(false);

    // Presets, each number recalls its preset on a click.
    caption(this, "Presets", "Presets", QRect(330, 58, 56, 18));
    for (int n = 1; n <= 6; ++n) {
        const QByteArray name = "P" + QByteArray::number(n) + "_Label";
        ReadoutLabel* l = readout(this, name.constData(), QString::number(n),
                                  QRect(392 + (n - 1) * 20, 56, 16, 22), Qt::AlignCenter);
        setTextColour(l, Gray);
        l->setCursor(Qt::PointingHandCursor);
        P_Label[size_t(n - 1)] = l;
    }

    // Program buttons of decoder 1, each under its caption; disabled until the
    // program is first seen available.
    for (int n = 1; n <= 8; ++n) {
        const int x = 22 + (n - 1) * 72;
        caption(this, "HD" + QString::number(n), "HD " + QString::number(n), QRect(x, 88, 44, 16),
                Qt::AlignCenter);
        auto* b = new QToolButton(this);
        b->setObjectName("PS_HD" + QString::number(n) + "_D1");
        b->setGeometry(x + 8, 106, 28, 24);
        b->setIconSize(QSize(14, 14));
        b->setEnabled(false);
        PS_HD_D1[size_t(n - 1)] = b;
    }

    // Service readouts in two columns.
    const struct
    {
        ReadoutLabel** label;
        const char* name;
        const char* text;
        const char* design;
    } rows[] = {
        {&LService_Mode, "LService_Mode", "Service Mode:", "***"},
        {&LCODEC_Mode, "LCODEC_Mode", "MPA CODEC Mode:", "**"},
        {&LCD_NO, "LCD_NO", "Cd/NO:", "**.** dB"},
        {&LQI, "LQI", "QI:", "**"},
        {&LDAAI, "LDAAI", "DAAI:", "**.**"},
        {&LAcq_Time_Data, "LAcq_Time_Data", "Acq  Time  Data:", "****  ms"},
        {&LAcq_Time_Audio, "LAcq_Time_Audio", "Acq  Time  Audio:", "****  ms"},
    };
    for (int i = 0; i < 7; ++i) {
        const int column = i < 4 ? 0 : 1;
        const int row = i < 4 ? i : i - 4;
        const int x = 16 + column * 300;
        const int y = 146 + row * 26;
        caption(this, rows[i].name, rows[i].text, QRect(x, y + 2, 130, 18));
        *rows[i].label = readout(this, rows[i].name, rows[i].design, QRect(x + 134, y, 120, 22));
    }
}
