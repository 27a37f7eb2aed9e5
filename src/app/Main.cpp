#include "app/Main.h"

#include "app/Connects.h"
#include "app/Forms.h"
#include "common/BaseDirectory.h"
#include "link/Frame2.h"
#include "widgets/ShellOpen.h"
#include "shell/Rack.h"

#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QHeaderView>
#include <QMenuBar>
#include <QStatusBar>
#include <QTimer>
#include <QTreeWidget>
#include <algorithm>

const char* TMain::UpdatePageUrl = "https://www.korsa-electronics.example/tolvex/updates.htm";

TMain::TMain(QWidget* parent)
    : QMainWindow(parent)
{
    // FormCreate: every data folder hangs below the directory we were started in.
    SetBaseDirectory(QDir::currentPath());

    setObjectName("Main");
    setWindowTitle("Korsa Electronics   Tolvex");
    setMaximumSize(250, 500);
    resize(250, 300);
    move(0, 0);

    ListView1 = new QTreeWidget(this);
    ListView1->setObjectName("ListView1");
    ListView1->setColumnCount(1);
    ListView1->setHeaderHidden(true);
    ListView1->setRootIsDecorated(false);
    ListView1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    ListView1->setMouseTracking(true);
    ListView1->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    setCentralWidget(ListView1);
    connect(ListView1, &QTreeWidget::itemClicked, this, &TMain::ListView1Click);

    StatusLine = new QStatusBar(this);
    StatusLine->setObjectName("StatusLine");
    setStatusBar(StatusLine);

    buildMenu();

    Timer1 = new QTimer(this);
    Timer1->setObjectName("Timer1");
    Timer1->setInterval(1000);
    connect(Timer1, &QTimer::timeout, this, &TMain::Timer1Timer);
    Timer1->start();
}

void TMain::buildMenu()
{
    QMenuBar* bar = menuBar();
    bar->setObjectName("MainMenu");

    QMenu* file = bar->addMenu("&File");
    file->setObjectName("File1");
    file->addAction("Connections", this,
                    [] {
                        if (Connects) {
                            Connects->show();
                            Connects->raise();
                            Connects->activateWindow();
                        }
                    })
        ->setObjectName("Connections1");
    file->addAction("Exit", this, &QWidget::close)->setObjectName("Exit1");

    QMenu* configure = bar->addMenu("Configure");
    configure->setObjectName("Configure1");
    QMenu* stay = configure->addMenu("Stay on Top");
    stay->setObjectName("StayonTop1");
    auto* group = new QActionGroup(this);
    group->setExclusive(true);
    StayOnTopYes = stay->addAction("Yes", this, [this] { setStayOnTop(true); });
    StayOnTopYes->setObjectName("Yes1");
    StayOnTopNo = stay->addAction("No", this, [this] { setStayOnTop(false); });
    StayOnTopNo->setObjectName("No1");
    for (QAction* a : {StayOnTopYes, StayOnTopNo}) {
        a->setCheckable(true);
        group->addAction(a);
    }
    // The window is designed as a normal window, so "No" starts checked.
    StayOnTopNo->setChecked(true);

    QMenu* help = bar->addMenu("&Help");
    help->setObjectName("Help1");
    help->addSeparator();
    QAction* about = help->addAction("&About...");
    about->setObjectName("About1");
    about->setEnabled(false); // the About box joins later
    help->addAction("Relese Notes", this,
                    [] { ShellOpenFile(DataFolder("HELP") + "ReleaseNotes.htm"); })
        ->setObjectName("ReleseNotes1");
    help->addAction("Check for Updates", this, [] { ShellOpen(QUrl(UpdatePageUrl)); })
        ->setObjectName("CheckforUpdates1");
}

void TMain::setStayOnTop(bool on)
{
    const bool visible = isVisible();
    setWindowFlag(Qt::WindowStaysOnTopHint, on);
    if (visible)
        show(); // changing a window flag hides the window
    (on ? StayOnTopYes : StayOnTopNo)->setChecked(true);
}

void TMain::Timer1Timer()
{
    CheckProgramVersion();
    if (Connects)
        Connects->UpdateAllStatus();
    UpdateRackWindows();
    RebuildOpenWindowList();
}

void TMain::CheckProgramVersion()
{
    // The once-per-run check of the web version file joins here.
}

QPointer<TRack>* TMain::RackVariable(int n)
{
    QPointer<TRack>* racks[] = {&Rack1, &Rack2, &Rack3, &Rack4, &Rack5, &Rack6, &Rack7, &Rack8};
    return n >= 1 && n <= 8 ? racks[n - 1] : nullptr;
}

void TMain::UpdateRackWindows()
{
    if (Connects) {
        for (int n = 1; n <= 8; ++n) {
            TFrame2* frame = Connects->ConnectionByIndex(n);
            QPointer<TRack>& rack = *RackVariable(n);
            if (!frame)
                continue;
            if (frame->IsRackActive()) {
                if (!rack)
                    TRack::Create1(this, frame, rack, QString("Rack%1").arg(n));
            } else if (rack) {
                // From now on the frame posts nothing to the rack, and a new
                // activation gets a new rack; the old one is freed below.
                frame->RackWindow = nullptr;
                m_retiredRacks.append(rack);
                rack = nullptr;
            }
        }
    }
    freeRetiredRacks();
}

namespace {

bool inTree(const QObject* o, const QObject* tree)
{
    for (; o; o = o->parent()) {
        if (o == tree)
            return true;
    }
    return false;
}

// Whether a modal dialog or message box of the rack's panels or windows is
// open: its loop is on the stack, so freeing the rack now would destroy the
// objects that loop returns to.
bool runsModal(const QWidget* rack)
{
    if (inTree(QApplication::activeModalWidget(), rack))
        return true;
    const QWidgetList windows = QApplication::topLevelWidgets();
    return std::any_of(windows.begin(), windows.end(), [rack](const QWidget* w) {
        return w->isVisible() && w->isModal() && inTree(w, rack);
    });
}

} // namespace

void TMain::freeRetiredRacks()
{
    for (auto it = m_retiredRacks.begin(); it != m_retiredRacks.end();) {
        if (it->isNull()) {
            it = m_retiredRacks.erase(it);
        } else if (!runsModal(it->data())) {
            // Deferred: this tick may itself run inside a nested loop.
            (*it)->deleteLater();
            it = m_retiredRacks.erase(it);
        } else {
            ++it;
        }
    }
}

void TMain::RebuildOpenWindowList()
{
    // The list of open windows joins here.
}

void TMain::ListView1Click()
{
    // Bringing the clicked window to the front joins with the open-window list.
}

void TMain::closeEvent(QCloseEvent* e)
{
    if (!m_closing) {
        m_closing = true;
        Timer1->stop();
        if (Connects)
            Connects->CloseAll(ShutdownPauseMs);
    }
    e->accept();
    // The program ends with the main window even while other windows are open.
    // Not quit(): it asks every window to close first, and a rack window,
    // which only minimises while its connection is active, would refuse.
    QMetaObject::invokeMethod(qApp, [] { QCoreApplication::exit(0); }, Qt::QueuedConnection);
}
