#pragma once

#include <QColor>
#include <QFont>
#include <QFrame>
#include <QString>

class QGridLayout;
class QLabel;
class QWidget;

// The look the reading windows share (the Tavr1 readouts and both RDS
// windows): a black window of a fixed size, bold fixed-pitch readouts,
// captions white and values yellow.
void SetBlackReadoutWindow(QWidget* window, int width, int height);
QFont ReadoutFont();
QLabel* ColouredReadout(const QString& text, const QColor& colour, const QFont& font,
                        QWidget* parent);

// A boxed panel of caption/value rows on the window's black. Every label shows
// plain text: device characters are never read as markup.
class TReadoutPanel : public QFrame
{
public:
    TReadoutPanel(QWidget* parent, const QFont& font);
    void caption(const QString& text, int row, int col, Qt::Alignment align = {});
    QLabel* value(const char* name, int row, int col, int span = 1);
    void stretchAfter(int col);

private:
    QLabel* label(const QString& text, const QColor& colour);
    QFont m_font;
    QGridLayout* m_grid;
};
