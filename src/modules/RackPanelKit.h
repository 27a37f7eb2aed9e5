#pragma once

#include "models/RackMenuKit.h"

#include <QColor>
#include <QRect>
#include <QString>

class Lamp;
class QLabel;
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

} // namespace RackPanelKit
