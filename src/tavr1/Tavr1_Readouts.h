#pragma once

#include <QColor>
#include <QFont>
#include <QString>

class QLabel;
class QWidget;

// The look the Tavr1 reading windows share: a black window of a fixed size,
// bold fixed-pitch readouts, captions white and values yellow.
void SetBlackReadoutWindow(QWidget* window, int width, int height);
QFont Tavr1ReadoutFont();
QLabel* ColouredReadout(const QString& text, const QColor& colour, const QFont& font,
                        QWidget* parent);
