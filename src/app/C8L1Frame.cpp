#include "app/C8L1Frame.h"

#include "link/Frame2.h"
#include "shell/LogPlayback.h"

#include <QTabWidget>
#include <QVBoxLayout>

TC8L1Frame::TC8L1Frame(QWidget* parent)
    : QFrame(parent)
{
    setObjectName("C8L1Frame");
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    PageControl2 = new QTabWidget(this);
    PageControl2->setObjectName("PageControl2");
    // Every tab in view, the last ("Log") too: the tab bar sets the window's
    // least width instead of hiding tabs behind scroll arrows.
    PageControl2->setUsesScrollButtons(false);
    PageControl2->setElideMode(Qt::ElideNone);
    layout->addWidget(PageControl2);
    for (int n = 1; n <= 8; ++n) {
        auto* frame = new TFrame2(QString("Connect%1").arg(n), PageControl2);
        Connect[n - 1] = frame;
        PageControl2->addTab(frame, n == 1 ? QString("Connect #1") : QString("     #%1   ").arg(n));
    }
    Log1 = new TFrame3(PageControl2);
    PageControl2->addTab(Log1, "    Log  ");
}
