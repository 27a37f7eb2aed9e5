#pragma once

#include "models/RackMenuKit.h"

#include <QColor>
#include <QRect>
#include <QString>
#include <array>
#include <functional>

class Lamp;
struct TChildWindowArgs;
class QLabel;
class QMenu;
class QToolButton;
class QWidget;

// The widget pieces every rack-module panel is drawn with: a black strip with
// the module's name, big red readouts, the LCD menu line, the four menu keys
// and round LEDs of one colour pair. The behaviour lives in each module's
// menu model (src/models/); these only render it.
namespace RackPanelKit {

// Paints the panel black.
void paintBlack(QWidget* w);

// A white caption (the module name, "MENU", the LED names).
QLabel* caption(QWidget* parent, const QString& name, const QString& text, const QRect& geometry,
                int pixels = 11, Qt::Alignment align = Qt::AlignCenter);

// A big red readout in the sans-serif face of the module's display.
QLabel* readout(QWidget* parent, const QString& name, const QString& designedText,
                const QRect& geometry, int pixels);

// The LCD menu line: red fixed-pitch characters on a dark red plate.
QLabel* lcdLine(QWidget* parent, const QString& name, const QRect& geometry, int pixels = 15);

// One of the four grey menu keys.
QToolButton* menuKey(QWidget* parent, const QString& name, const QRect& geometry);

// A round LED, dark.
Lamp* led(QWidget* parent, const QString& name, const QRect& geometry, const TLampPair& pair);

QColor darkColor(const TLampPair& pair);
QColor brightColor(const TLampPair& pair);
// Lights or darkens the LED; repaints only when the colour changes.
void setLed(Lamp* lamp, const TLampPair& pair, bool lit);

// Sets the label's text only when it differs, so a refresh that finds nothing
// new costs no relayout or repaint.
void setTextIfChanged(QLabel* label, const QString& text);

// The LCD menu line between the four menu keys: keys 1 and 2 (SpeedButton1,
// 2) at x left, the line (MenuString) 32 on, keys 3 and 4 8 past the line's
// end; under the line "MENU" and, with parameterCaption, "PARAMETER". Each
// key's click calls its handler.
struct TMenuStrip
{
    std::array<QToolButton*, 4> keys;
    QLabel* line;
};
TMenuStrip menuStrip(QWidget* panel, int left, int lineWidth, bool parameterCaption,
                     const std::array<std::function<void()>, 4>& clicks);

// The strip into a module panel's SpeedButton1..4 and MenuString, each key
// calling the panel's SpeedButton1Click..4Click: the names every module
// panel is designed with.
template <typename Panel>
void buildMenuStrip(Panel* panel, int left, int lineWidth, bool parameterCaption)
{
    const TMenuStrip strip = menuStrip(
        panel, left, lineWidth, parameterCaption,
        {[panel] { panel->SpeedButton1Click(); }, [panel] { panel->SpeedButton2Click(); },
         [panel] { panel->SpeedButton3Click(); }, [panel] { panel->SpeedButton4Click(); }});
    panel->SpeedButton1 = strip.keys[0];
    panel->SpeedButton2 = strip.keys[1];
    panel->SpeedButton3 = strip.keys[2];
    panel->SpeedButton4 = strip.keys[3];
    panel->MenuString = strip.line;
}

// A new plot window of the kinds every module panel names 0 (bar graph), 1
// (histogram) and 2 (data against time); nullptr for any other kind.
QWidget* newPlotWindow(int kind, const TChildWindowArgs& args);

// The module's three LEDs, LED1..LED3, each over its caption Label_LED1..3:
// the n-th column starts at x0 + n * step, its LED ledInset further on.
struct TLedRow
{
    int x0, step, ledInset, captionWidth;
};
void ledRow(QWidget* panel, const std::array<Lamp**, 3>& leds,
            const std::array<const char*, 3>& names, const std::array<TLampPair, 3>& pairs,
            const TLedRow& row);

// The panel's right-click menu, PopupMenu1: shown where the panel is
// right-clicked. windowEntry adds one action (objectName name) that calls
// open; windowGroup a submenu whose menu and action are both named name.
QMenu* panelPopup(QWidget* panel);
void windowEntry(QMenu* menu, const QString& text, const QString& name,
                 const std::function<void()>& open);
QMenu* windowGroup(QMenu* popup, const QString& text, const QString& name);

} // namespace RackPanelKit
