#include "modules/RackPanelKit.h"

#include "widgets/FixedFont.h"
#include "widgets/Lamp.h"

#include <QLabel>
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

} // namespace RackPanelKit
