#include "link/Frame2.h"

#include "data/EventLog.h"
#include "link/Bry1Link.h"
#include "link/FirmwareSender.h"
#include "link/FrameHooks.h"
#include "link/HDLink.h"
#include "link/RackLink.h"
#include "link/Tavr1Link.h"
#include "platform/IPClient.h"
#include "protocol/bry1/Bry1Commands.h"
#include "protocol/firmware/DldFile.h"
#include "protocol/rack/RackCommands.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QTimer>
#include <QTreeWidget>
#include <QVBoxLayout>

TFrameHooks& FrameHooks()
{
    static TFrameHooks hooks;
    return hooks;
}

QList<TFrame2*>& LiveFrames()
{
    static QList<TFrame2*> frames;
    return frames;
}

namespace {

QTreeWidget* makeList(QWidget* parent, const char* name, const QStringList& columns)
{
    auto* list = new QTreeWidget(parent);
    list->setObjectName(name);
    list->setColumnCount(columns.size());
    list->setHeaderLabels(columns);
    list->setRootIsDecorated(false);
    // The lists are displays only: a click never leaves a selection behind.
    list->setSelectionMode(QAbstractItemView::NoSelection);
    list->setFocusPolicy(Qt::NoFocus);
    list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    list->header()->setStretchLastSection(true);
    return list;
}

QPushButton* makeButton(QWidget* parent, const char* name, const QString& caption)
{
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(name);
    return b;
}

} // namespace

TFrame2::TFrame2(const QString& name, QWidget* parent)
    : QFrame(parent)
    , m_logWriter(std::make_unique<DataLog::TWriter>())
{
    setObjectName(name);
    ReadBuffer.resize(2048);
    buildUi(name);
    LiveFrames().append(this);

    m_client = new TIPClientForm(this);
    m_client->setObjectName(name + "_IPClient");
    Socket = m_client;
    Socket->SetOnConnect([this] { SocketConnected(); });
    Socket->SetOnError([this] { SocketFailed(); });
    Socket->SetOnRead([this] { SocketDataReady(); });
}

TFrame2::~TFrame2()
{
    LiveFrames().removeAll(this);
    Timer1->stop();
    if (m_heldSerialPort >= 0)
        ReleaseSerialPort(m_heldSerialPort);
}

void TFrame2::buildUi(const QString& name)
{
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    Panel1 = new QFrame(this);
    Panel1->setObjectName("Panel1");
    Panel1->setFrameShape(QFrame::StyledPanel);
    outer->addWidget(Panel1);

    auto* layout = new QVBoxLayout(Panel1);
    Label1 = new QLabel(QString("Connection #%1").arg(ConnectionNumber(name)), Panel1);
    Label1->setObjectName("Label1");
    Label2 = new QLabel("Hardware Connections", Panel1);
    Label2->setObjectName("Label2");
    ListView1 = makeList(Panel1, "ListView1", {"Hardware", "Unit", "ID", "Serial #"});

    ButtonC1 = makeButton(Panel1, "ButtonC1", "Connect");
    ButtonC2 = makeButton(Panel1, "ButtonC2", "Configure");
    ButtonC3 = makeButton(Panel1, "ButtonC3", "Update");
    ButtonC3->setEnabled(false);
    ButtonC4 = makeButton(Panel1, "ButtonC4", "Disconnect");
    auto* buttons = new QHBoxLayout;
    for (QPushButton* b : {ButtonC1, ButtonC2, ButtonC3, ButtonC4})
        buttons->addWidget(b);
    buttons->addStretch();

    ListView2 = makeList(Panel1, "ListView2", {"Connection", "Info", "Status"});

    layout->addWidget(Label1);
    layout->addWidget(Label2);
    layout->addWidget(ListView1, 1);
    layout->addLayout(buttons);
    layout->addWidget(ListView2, 1);

    PopupMenu1 = new QMenu(this);
    PopupMenu1->setObjectName("PopupMenu1");

    Timer1 = new QTimer(this);
    Timer1->setObjectName("Timer1");
    Timer1->setInterval(100);
    connect(Timer1, &QTimer::timeout, this, &TFrame2::Timer1Timer);

    connect(ButtonC1, &QPushButton::clicked, this, &TFrame2::StartConnect);
    connect(ButtonC2, &QPushButton::clicked, this, [this] {
        if (FrameHooks().showConfigure)
            FrameHooks().showConfigure(*this);
    });
    connect(ButtonC3, &QPushButton::clicked, this, [this] {
        if (FrameHooks().showUpdate)
            FrameHooks().showUpdate(*this);
    });
    connect(ButtonC4, &QPushButton::clicked, this, &TFrame2::StartDisconnect);
}

void TFrame2::Timer1Timer()
{
    switch (HardwareType) {
    case htRackSystem:
        RackStep(*this);
        break;
    case htBry1:
        Bry1Step(*this);
        break;
    case htHDSystem:
        RunHdStateMachine(*this);
        WatchReconnectAfterUpdate(*this);
        break;
    case htTavr1:
        Tavr1Step(*this);
        WatchReconnectAfterUpdate(*this);
        break;
    default:
        break;
    }
}

void TFrame2::SetTimerInterval(int ms)
{
    if (ms <= 0)
        ms = 100;
    if (Timer1->interval() != ms)
        Timer1->setInterval(ms);
}

void TFrame2::StopTimer()
{
    Timer1->stop();
}

// ---- Sign-off and the sequences the buttons start -------------------------

bool TFrame2::SignOff()
{
    HdObjectsReleased = true;
    if (!PortOpen)
        return false;
    switch (HardwareType) {
    case htRackSystem:
        SendCommand(RackEndConnection());
        return true;
    case htHDSystem:
    case htTavr1:
        SendCommand("EC\r");
        return true;
    default: // a Bry1 is left as it is at shut-down
        return false;
    }
}

void TFrame2::RequestExit()
{
    HdObjectsReleased = true;
    if (HardwareType == htHDSystem) {
        DisconnectStep = 0;
        ProcessState = 8;
    } else {
        ExitDone = true;
    }
}

void TFrame2::StartPasswordChange()
{
    if (HardwareType != htRackSystem)
        return;
    // The change runs only on a logged-in rack; started during the login it
    // would take over the login's replies.
    if (!PortOpen || ProcessState != 4) {
        LogEvent(" Password change needs an active connection ", lkError);
        return;
    }
    if (NewPassword.isEmpty()) {
        LogEvent(" Password change needs a new password ", lkError);
        return;
    }
    PasswordStep = 0;
    ProcessState = 5;
}

void TFrame2::StartConnect()
{
    switch (HardwareType) {
    case htRackSystem:
    case htBry1:
        if (PortOpen)
            CloseConnection();
        OpenConnection();
        break;
    case htHDSystem:
    case htTavr1:
        ConnectDone = false;
        ConnectStep = 0;
        ProcessState = 6;
        break;
    default:
        break;
    }
}

void TFrame2::StartDisconnect()
{
    switch (HardwareType) {
    case htRackSystem:
        SendCommand(RackEndConnection());
        CloseConnection();
        break;
    case htBry1:
        SendCommand(Bry1StopData());
        CloseConnection();
        break;
    case htHDSystem:
    case htTavr1:
        DisconnectDone = false;
        DisconnectStep = 0;
        ProcessState = 7;
        break;
    default:
        break;
    }
}

// The update dialogs start and abort transfers. Only the HD and Tavr1 links
// have transfer states; on the other families state 3 is the login, so the
// calls are refused there.
void TFrame2::StartFirmwareTransfer()
{
    if (HardwareType != htHDSystem && HardwareType != htTavr1)
        return;
    ProcessState = 3;
    TransferKind = 0;
    TransferStep = 0;
}

void TFrame2::StartNetworkModuleTransfer()
{
    if (HardwareType != htHDSystem && HardwareType != htTavr1)
        return;
    ProcessState = 5;
    TransferKind = 1;
    TransferStep = 0;
}

void TFrame2::StartSomTransfer()
{
    if (HardwareType != htTavr1)
        return;
    ProcessState = 9;
    TransferKind = 0;
    TransferStep = 0;
}

void TFrame2::AbortTransfer(int kind)
{
    // Nothing to abort on a frame that is not transferring: the dialogs'
    // error boxes must not tear down a polling connection.
    if (!FirmwareTransferRunning())
        return;
    if (kind >= 1 && kind <= 3)
        TransferStep = 99;
    else if (kind == 4)
        TransferStep = 98;
}

bool TFrame2::IsRackActive() const
{
    return (HardwareType == htRackSystem || HardwareType == htHDSystem ||
            HardwareType == htTavr1) &&
           Status == stActive;
}

// ---- Displays --------------------------------------------------------------

QString TFrame2::StatusText(int status, int blocksSinceDisplay)
{
    switch (status) {
    case stDisconnected:
        return "Disconnected";
    case stConnecting:
        return "Connecting";
    case stDownloading:
        return "Downloading";
    case stActive:
        return blocksSinceDisplay >= 1 ? " Active " : "InActive";
    case stInitializing:
        return "Initializing";
    case stDialing:
        return "Dialing";
    case stWaiting:
        return "Waiting";
    case stPassword:
        return "Password ";
    case stUpdating:
        return "Updating ";
    case stError:
        return "Error";
    default:
        return {};
    }
}

void TFrame2::RefreshStatusText()
{
    const QString text = StatusText(Status, BlocksSinceDisplay);
    if (Status == stActive)
        BlocksSinceDisplay = 0;
    if (ListView2->topLevelItemCount() > 0)
        ListView2->topLevelItem(0)->setText(2, text);
}

void TFrame2::RefreshConnectionList()
{
    ListView2->clear();
    const QString blanks(8, ' ');
    auto addRow = [&](const QString& connection, const QString& info) {
        new QTreeWidgetItem(ListView2, {connection, info, blanks});
    };
    const QString baud = BaudText(BaudCode);
    switch (Transport) {
    case trSerial:
        addRow("RS-232", QString("COM%1   %2   8-N-1").arg(int(SerialPort) + 1).arg(baud));
        break;
    case trNetwork:
        addRow("Network Local", NetLocalHost + " " + NetLocalAddress + "  " + NetLocalPort);
        addRow("Network Remote", " " + NetRemoteAddress + "  " + NetRemotePort);
        break;
    case trModem:
        addRow("MODEM", QString("COM%1   %2   8-N-1").arg(int(ModemPort) + 1).arg(baud));
        break;
    default:
        break;
    }
}

void TFrame2::RefreshHardwareList()
{
    if (DetectedUnits == LastShownUnits)
        return;
    ListView1->clear();
    ListView1->headerItem()->setText(2, HardwareType == htTavr1 ? "Option" : "ID");

    // A row is (hardware, id, serial); the "Unit" column stays empty.
    auto addRow = [&](const QString& hardware, const QString& id, const QString& serial) {
        new QTreeWidgetItem(ListView1, {hardware, QString(), id, serial});
    };
    QString caption;
    switch (HardwareType) {
    case htRackSystem: {
        caption = "Quelda System";
        struct Module
        {
            int presence;
            QString name;
        };
        const Module modules[] = {
            {upKelb1, " Kelb-1"},    {upJov4, " " + Jov4ModelText}, {upNuva1, " Nuva-1"},
            {upLyn1, " Lyn-1"},      {upVarn1Unit0, " Varn-1 0"},   {upVarn1Unit1, " Varn-1 1"},
            {upGry230, " Gry-230 "}, {upGry250, " Gry-250 "},       {upPelo1, " Pelo-1 "},
            {upPelo2, " Pelo-2 "},
        };
        for (const Module& m : modules) {
            if (UnitPresence[m.presence])
                addRow(m.name, ModuleIdText[m.presence], ModuleSerialText[m.presence]);
        }
        break;
    }
    case htBry1:
        caption = " Bry-1  ";
        if (UnitPresence[upBry1])
            addRow(" Bry-1 ", "N/A", "340000");
        break;
    case htHDSystem:
        caption = " HD System  ";
        // A Prak1 has no row of its own yet: the caption row stands for it.
        if (UnitPresence[upVren1])
            addRow(" Vren-1 ", "N/A", SerialNumber);
        break;
    case htTavr1:
        caption = " Tavr-1 System ";
        if (UnitPresence[upTavr1])
            addRow(Tavr1ModelText, Tavr1Options, Tavr1SerialText);
        break;
    default:
        break;
    }
    if (ListView1->topLevelItemCount() == 0)
        new QTreeWidgetItem(ListView1, {caption, "N/A", "N/A", "N/A"});
    LastShownUnits = DetectedUnits;
}

void TFrame2::LogEvent(const QString& message, int kind)
{
    if (MessageLines.isNull())
        return;
    MessageLines->add(FormatLogLine(kind, objectName(), message, QDateTime::currentDateTime()));
}

void TFrame2::LogObjectEvent(const QString& objectText, int kind)
{
    AEEventList.AddEvent(FormatHdObjectEvent(QDateTime::currentDateTime(), objectText, kind));
}
