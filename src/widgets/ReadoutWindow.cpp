#include "widgets/ReadoutWindow.h"

#include <QFontDatabase>
#include <QGridLayout>
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

QFont ReadoutFont()
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

TReadoutPanel::TReadoutPanel(QWidget* parent, const QFont& font)
    : QFrame(parent)
    , m_font(font)
    , m_grid(new QGridLayout(this))
{
    setFrameShape(QFrame::Box);
    QPalette p = palette();
    p.setColor(QPalette::WindowText, Qt::gray);
    setPalette(p);
    m_grid->setContentsMargins(8, 4, 8, 4);
    m_grid->setHorizontalSpacing(6);
    m_grid->setVerticalSpacing(2);
}

void TReadoutPanel::caption(const QString& text, int row, int col, Qt::Alignment align)
{
    m_grid->addWidget(label(text, Qt::white), row, col, align);
}

QLabel* TReadoutPanel::value(const char* name, int row, int col, int span)
{
    QLabel* l = label(QString(), Qt::yellow);
    l->setObjectName(name);
    m_grid->addWidget(l, row, col, 1, span);
    return l;
}

void TReadoutPanel::stretchAfter(int col)
{
    m_grid->setColumnStretch(col + 1, 1);
}

QLabel* TReadoutPanel::label(const QString& text, const QColor& colour)
{
    QLabel* l = ColouredReadout(text, colour, m_font, this);
    l->setTextFormat(Qt::PlainText);
    return l;
}
