#include "shell/PUListBox.h"

#include "data/EventLog.h"
#include "platform/UserMessages.h"
#include "shell/EventLogView.h"

#include <QTextEdit>
#include <QVBoxLayout>

TPUListBox::TPUListBox(QWidget* parent)
    : QWidget(parent, Qt::Window)
{
    setObjectName("PUListBox");
    setWindowTitle("Message Window - Expanded");
    resize(900, 600);
    auto* layout = new QVBoxLayout(this);
    RichEdit1 = new QTextEdit(this);
    RichEdit1->setObjectName("RichEdit1");
    RichEdit1->setReadOnly(true);
    RichEdit1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    layout->addWidget(RichEdit1);
}

void TPUListBox::Refill()
{
    FillLogView(RichEdit1, MessageLines ? MessageLines->lines() : QStringList());
}

bool TPUListBox::event(QEvent* e)
{
    if (e->type() == QEvent::WindowActivate || e->type() == QEvent::Show)
        Refill();
    if (e->type() == UserMessageEvent::typeFor(UM_LOG_CHANGED)) {
        Refill();
        return true;
    }
    return QWidget::event(e);
}
