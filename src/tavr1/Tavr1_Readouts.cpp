#include "tavr1/Tavr1_Readouts.h"

#include <QFontDatabase>
#include <QLabel>
#include <QPalette>
#include <QWidget>

void SetBlackReadoutWindow(QWidget* window, int width, int height)
{
    window->setFixedSize(width, height);
    window->setAutoFillBackground(true);
    QPalette p = window->palette();
    p.setColor(QPalette::Window, Qt::black);
    window->setPalette(p);
}

QFont Tavr1ReadoutFont()
{
    QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    font.setPointSize(11);
    font.setBold(true);
    return font;
}

QLabel* ColouredReadout(const QString& text, const QColor& colour, const QFont& font,
                        QWidget* parent)
{
    auto* l = new QLabel(parent);
    l->setTextFormat(Qt::PlainText);
    l->setText(text);
    l->setFont(font);
    QPalette p = l->palette();
    p.setColor(QPalette::WindowText, colour);
    l->setPalette(p);
    return l;
}
