#include "modules/RackPanelKit.h"

#include "plots/BarGraph.h"
#include "plots/DataTimePlot.h"
#include "plots/Histogram.h"
#include "widgets/FixedFont.h"
#include "widgets/Lamp.h"

#include <QLabel>
#include <QMenu>
#include <QToolButton>

namespace RackPanelKit {

void paintBlack(QWidget* w)
{
    QPalette pal = w->palette();
    pal.setColor(QPalette::Window, Qt::black);
    w->setPalette(pal);
    w->setAutoFillBackground(true);
}

QLabel* caption(QWidget* parent, const QString& name, const QString& text, const QRect& geometry,
                int pixels, Qt::Alignment align)
{
    auto* l = new QLabel(parent);
    l->setObjectName(name);
    l->setTextFormat(Qt::PlainText);
    l->setText(text);
    QFont f = l->font();
    f.setBold(true);
    f.setPixelSize(pixels);
    l->setFont(f);
    QPalette pal = l->palette();
    pal.setColor(QPalette::WindowText, Qt::white);
    l->setPalette(pal);
    l->setAlignment(align);
    l->setGeometry(geometry);
    return l;
}

QLabel* readout(QWidget* parent, const QString& name, const QString& designedText,
                const QRect& geometry, int pixels)
{
    auto* l = new QLabel(parent);
    l->setObjectName(name);
    l->setTextFormat(Qt::PlainText);
    l->setText(designedText);
    QFont f("Sans Serif");
    f.setBold(true);
    f.setPixelSize(pixels);
    l->setFont(f);
    QPalette pal = l->palette();
    pal.setColor(QPalette::WindowText, Qt::red);
    l->setPalette(pal);
    l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    l->setGeometry(geometry);
    return l;
}

QLabel* lcdLine(QWidget* parent, const QString& name, const QRect& geometry, int pixels)
{
    auto* l = new QLabel(parent);
    l->setObjectName(name);
    l->setTextFormat(Qt::PlainText);
    l->setText("0123456789012345");
    l->setFont(FixedPitchBoldFont(pixels));
    QPalette pal = l->palette();
    pal.setColor(QPalette::WindowText, Qt::red);
    pal.setColor(QPalette::Window, QColor(0x30, 0x00, 0x00));
    l->setPalette(pal);
    l->setAutoFillBackground(true);
    l->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    l->setIndent(4);
    l->setGeometry(geometry);
    return l;
}

QToolButton* menuKey(QWidget* parent, const QString& name, const QRect& geometry)
{
    auto* b = new QToolButton(parent);
    b->setObjectName(name);
    b->setFocusPolicy(Qt::NoFocus);
    b->setGeometry(geometry);
    QPalette pal = b->palette();
    pal.setColor(QPalette::Button, QColor(0xA0, 0xA0, 0xA0));
    b->setPalette(pal);
    b->setAutoFillBackground(true);
    return b;
}

QColor darkColor(const TLampPair& pair)
{
    return QColor::fromRgb(pair.dark);
}

QColor brightColor(const TLampPair& pair)
{
    return QColor::fromRgb(pair.bright);
}

Lamp* led(QWidget* parent, const QString& name, const QRect& geometry, const TLampPair& pair)
{
    auto* l = new Lamp(parent, darkColor(pair));
    l->setObjectName(name);
    l->setRound(true);
    l->setGeometry(geometry);
    return l;
}

void setLed(Lamp* lamp, const TLampPair& pair, bool lit)
{
    if (lamp)
        lamp->setColor(lit ? brightColor(pair) : darkColor(pair));
}

void setTextIfChanged(QLabel* label, const QString& text)
{
    if (label && label->text() != text)
        label->setText(text);
}

TMenuStrip menuStrip(QWidget* panel, int left, int lineWidth, bool parameterCaption,
                     const std::array<std::function<void()>, 4>& clicks)
{
    const int lineLeft = left + 32;
    const int right = lineLeft + lineWidth + 8;
    TMenuStrip strip{};
    strip.keys[0] = menuKey(panel, "SpeedButton1", QRect(left, 30, 24, 20));
    strip.keys[1] = menuKey(panel, "SpeedButton2", QRect(left, 60, 24, 20));
    strip.line = lcdLine(panel, "MenuString", QRect(lineLeft, 38, lineWidth, 30));
    caption(panel, "Label_Menu", "MENU",
            QRect(lineLeft, 74, parameterCaption ? 80 : lineWidth, 16));
    if (parameterCaption)
        caption(panel, "Label_Parameter", "PARAMETER", QRect(lineLeft + 104, 74, 80, 16));
    strip.keys[2] = menuKey(panel, "SpeedButton3", QRect(right, 30, 24, 20));
    strip.keys[3] = menuKey(panel, "SpeedButton4", QRect(right, 60, 24, 20));
    for (std::size_t i = 0; i < strip.keys.size(); ++i)
        QObject::connect(strip.keys[i], &QToolButton::clicked, panel, clicks[i]);
    return strip;
}

QWidget* newPlotWindow(int kind, const TChildWindowArgs& args)
{
    switch (kind) {
    case 0:
        return new TBarGraph(args);
    case 1:
        return new THistogram(args);
    case 2:
        return new TDataTimePlot(args);
    default:
        return nullptr;
    }
}

void ledRow(QWidget* panel, const std::array<Lamp**, 3>& leds,
            const std::array<const char*, 3>& names, const std::array<TLampPair, 3>& pairs,
            const TLedRow& row)
{
    for (int i = 0; i < 3; ++i) {
        const int x = row.x0 + i * row.step;
        *leds[i] =
            led(panel, QString("LED%1").arg(i + 1), QRect(x + row.ledInset, 36, 16, 16), pairs[i]);
        caption(panel, QString("Label_LED%1").arg(i + 1), names[i],
                QRect(x, 58, row.captionWidth, 16), 10);
    }
}

QMenu* panelPopup(QWidget* panel)
{
    auto* popup = new QMenu(panel);
    popup->setObjectName("PopupMenu1");
    panel->setContextMenuPolicy(Qt::CustomContextMenu);
    QObject::connect(panel, &QWidget::customContextMenuRequested, popup,
                     [panel, popup](const QPoint& at) { popup->popup(panel->mapToGlobal(at)); });
    return popup;
}

void windowEntry(QMenu* menu, const QString& text, const QString& name,
                 const std::function<void()>& open)
{
    QAction* a = menu->addAction(text);
    a->setObjectName(name);
    QObject::connect(a, &QAction::triggered, menu, open);
}

QMenu* windowGroup(QMenu* popup, const QString& text, const QString& name)
{
    QMenu* sub = popup->addMenu(text);
    sub->setObjectName(name);
    sub->menuAction()->setObjectName(name);
    return sub;
}

} // namespace RackPanelKit
