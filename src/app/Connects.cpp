#include "app/Connects.h"

#include "app/C8L1Frame.h"
#include "app/Forms.h"
#include "data/EventLog.h"
#include "link/Frame2.h"
#include "platform/UserMessages.h"
#include "shell/EventLogView.h"
#include "shell/LogPlayback.h"
#include "shell/PUListBox.h"

#include <QLabel>
#include <QMenu>
#include <QTabWidget>
#include <QTextEdit>
#include <QThread>
#include <QVBoxLayout>

int CurrentConnection = 1;

TConnects::TConnects(QWidget* parent)
    : QWidget(parent)
{
    setObjectName("Connects");
    setWindowTitle("Connections");
    resize(620, 640);

    auto* layout = new QVBoxLayout(this);
    C8L1Frame = new TC8L1Frame(this);
    layout->addWidget(C8L1Frame, 3);

    auto* bottom = new QWidget(this);
    bottom->setObjectName("Panel1");
    auto* bottomLayout = new QVBoxLayout(bottom);
    bottomLayout->setContentsMargins(0, 0, 0, 0);
    Label1 = new QLabel("Message Window", bottom);
    Label1->setObjectName("Label1");
    RichEdit1 = new QTextEdit(bottom);
    RichEdit1->setObjectName("RichEdit1");
    RichEdit1->setReadOnly(true);
    RichEdit1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    RichEdit1->setContextMenuPolicy(Qt::CustomContextMenu);
    bottomLayout->addWidget(Label1);
    bottomLayout->addWidget(RichEdit1);
    layout->addWidget(bottom, 2);

    PopupMenuMess = new QMenu(this);
    PopupMenuMess->setObjectName("PopupMenuMess");
    PopupMenuMess->addAction("Clear ", this, &TConnects::ClearLog)->setObjectName("Clear1");
    PopupMenuMess->addAction("Expand", this, &TConnects::ExpandLog)->setObjectName("Expand1");
    connect(RichEdit1, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& p) { PopupMenuMess->popup(RichEdit1->mapToGlobal(p)); });

    connect(C8L1Frame->PageControl2, &QTabWidget::currentChanged, this,
            &TConnects::PageControl2Change);

    // FormCreate: the current tab, the event log, then the connections.
    CurrentConnection = C8L1Frame->PageControl2->currentIndex() + 1;
    m_log = new TEventLog(this);
    MessageLines = m_log;
    connect(m_log, &TEventLog::lineAdded, this, &TConnects::lineAdded);
    RichEdit1->clear();
    InitConnections();
}

TConnects::~TConnects()
{
    ExitAll();
    for (TFrame2* f : C8L1Frame->Connect)
        f->StopTimer();
    MessageLines = nullptr;
}

void TConnects::InitConnections()
{
    // Each frame completes its load whatever the state of its file, so one bad
    // file never keeps the others from starting.
    for (TFrame2* f : C8L1Frame->Connect)
        f->LoadConfiguration();
    C8L1Frame->Log1->Reset();
    UpdateTabCaptions();
}

void TConnects::ExitAll()
{
    for (TFrame2* f : C8L1Frame->Connect)
        f->RequestExit();
}

void TConnects::CloseAll(int pauseMs)
{
    // No tick may run between the sign-off and the close: it could read the
    // released HD objects or start a new sequence on a closing link.
    for (TFrame2* f : C8L1Frame->Connect)
        f->StopTimer();
    for (TFrame2* f : C8L1Frame->Connect)
        f->SignOff();
    if (pauseMs > 0)
        QThread::msleep(pauseMs);
    for (TFrame2* f : C8L1Frame->Connect)
        f->CloseConnection();
}

TFrame2* TConnects::ConnectionByIndex(int n) const
{
    if (n < 1 || n > 8)
        return nullptr;
    return C8L1Frame->Connect[n - 1];
}

void TConnects::UpdateTabCaptions()
{
    for (int n = 1; n <= 8; ++n)
        C8L1Frame->PageControl2->setTabText(n - 1, C8L1Frame->Connect[n - 1]->ConnectionCaption);
}

void TConnects::UpdateAllStatus()
{
    for (TFrame2* f : C8L1Frame->Connect)
        f->RefreshStatusText();
}

void TConnects::PageControl2Change(int index)
{
    if (index >= 0 && index < 8)
        CurrentConnection = index + 1;
}

void TConnects::lineAdded(const QString& line)
{
    PrependLogLine(RichEdit1, line);
    if (PUListBox && PUListBox->isVisible())
        PostMessage(PUListBox, UM_LOG_CHANGED);
}

void TConnects::ClearLog()
{
    RichEdit1->clear();
    if (MessageLines)
        MessageLines->clear();
    PostMessage(PUListBox, UM_LOG_CHANGED);
}

void TConnects::ExpandLog()
{
    if (PUListBox) {
        PUListBox->show();
        PUListBox->raise();
        PUListBox->activateWindow();
    }
}
