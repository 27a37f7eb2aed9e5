#include "app/Main.h"

#include "app/About.h"
#include "app/Connects.h"
#include "app/Forms.h"
#include "app/TolvexUpdate.h"
#include "common/BaseDirectory.h"
#include "common/OpenWindowList.h"
#include "common/ProgramInfo.h"
#include "common/VersionFile.h"
#include "link/Frame2.h"
#include "panels/PanelBase.h"
#include "platform/HttpGet.h"
#include "shell/Rack.h"
#include "widgets/ShellOpen.h"

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

    NMHTTP1 = new THttpGet(this);
    NMHTTP1->setObjectName("NMHTTP1");
    // With this window as the context, no late result reaches a freed window.
    connect(NMHTTP1, &THttpGet::succeeded, this, &TMain::NMHTTP1Success);
    connect(NMHTTP1, &THttpGet::failed, this, [this] { NMHTTP1Failure(); });

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
    connect(about, &QAction::triggered, this, [] {
        if (About)
            About->exec();
    });
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
    OfferProgramUpdate();
    if (Connects)
        Connects->UpdateAllStatus();
    UpdateRackWindows();
    RebuildOpenWindowList();
}

void TMain::CheckProgramVersion()
{
    // Once per run, whatever the answer: a failed check is not retried.
    if (!VersionCheckPending)
        return;
    VersionCheckPending = false;
    VersionCheck = TVersionCheck::Requested;
    NMHTTP1->get(VersionFileAddress(), VersionCheckDeadlineMs);
}

void TMain::OfferProgramUpdate()
{
    if (!UpdateAvailable)
        return;
    UpdateAvailable = false;
    // After the tick: a modal loop inside it would stop the status texts and
    // the rack windows for as long as the dialog stays open.
    QMetaObject::invokeMethod(
        this,
        [this] {
            if (TolvexUpdate && !m_closing)
                TolvexUpdate->exec();
        },
        Qt::QueuedConnection);
}

void TMain::NMHTTP1Success(const QByteArray& body)
{
    const TVersionFile file = ParseVersionFile(body);
    VersionFileText = file.text;
    ProgramVersionText = file.programVersion;
    Vren1VersionText = file.vren1Version;
    Tavr1VersionText = file.tavr1Version;
    UpdateAvailable = file.newerProgram;
    VersionCheck = file.newerProgram ? TVersionCheck::UpdateOffered : TVersionCheck::NoUpdate;
}

void TMain::NMHTTP1Failure()
{
    // Quietly: the event log is the connections' log, and a station without
    // a way to the web must not be told so every start.
    VersionFileText.clear();
    ProgramVersionText.clear();
    Vren1VersionText.clear();
    Tavr1VersionText.clear();
    UpdateAvailable = false;
    VersionCheck = TVersionCheck::Failed;
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

namespace {

// An entry of the open-window list and the window it stands for.
class TOpenWindowItem : public QTreeWidgetItem
{
public:
    TOpenWindowItem(QTreeWidget* list, const QString& text, QWidget* w)
        : QTreeWidgetItem(list, QStringList(text))
        , window(w)
    {}
    QPointer<QWidget> window;
};

} // namespace

void TMain::RebuildOpenWindowList()
{
    QList<TOpenWindowName> names;
    QList<QWidget*> windows;
    auto add = [&](QWidget* w, const QString& rackCaption) {
        names.append({w->objectName(), rackCaption});
        windows.append(w);
    };
    if (Connects)
        add(Connects, QString());
    // From the rack variables, not the top-level windows: a retired rack
    // leaves the list at once, and the panels are no windows of their own.
    for (int n = 1; n <= 8; ++n) {
        TRack* rack = *RackVariable(n);
        if (!rack)
            continue;
        TFrame2* frame = Connects ? Connects->ConnectionByIndex(n) : nullptr;
        add(rack, frame ? frame->RackCaption : QString());
        for (TPanelBase* panel : rack->findChildren<TPanelBase*>(Qt::FindDirectChildrenOnly)) {
            // A panel the rack hides has lost its unit; its open windows
            // still are windows on the screen.
            if (!panel->isHidden())
                add(panel, QString());
            const QString prefix = panel->objectName() + "_";
            for (QWidget* w : panel->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
                if (w->isWindow() && w->objectName().startsWith(prefix))
                    add(w, QString());
            }
        }
    }

    const QList<TOpenWindowEntry> entries = BuildOpenWindowList(names);
    // Refilled only when a text or a window behind it changed: the count
    // alone misses a window closed and another opened within one tick.
    bool same = ListView1->topLevelItemCount() == entries.size();
    for (int i = 0; same && i < entries.size(); ++i) {
        auto* item = static_cast<TOpenWindowItem*>(ListView1->topLevelItem(i));
        same = item->text(0) == entries.at(i).text &&
               item->window.data() == windows.at(entries.at(i).source);
    }
    if (same)
        return;
    ListView1->clear();
    for (const TOpenWindowEntry& e : entries)
        new TOpenWindowItem(ListView1, e.text, windows.at(e.source));
}

QWidget* TMain::ListedWindow(int row) const
{
    auto* item = static_cast<TOpenWindowItem*>(ListView1->topLevelItem(row));
    return item ? item->window.data() : nullptr;
}

void TMain::ListView1Click()
{
    auto* item = static_cast<TOpenWindowItem*>(ListView1->currentItem());
    if (!item || !item->isSelected())
        return;
    QWidget* w = item->window;
    if (!w) {
        // Closed since the last tick.
        RebuildOpenWindowList();
        return;
    }
    // A panel lives inside its rack: the rack comes forward. A rack that was
    // "closed" is only minimised, so showNormal brings it back.
    QWidget* target = w->isWindow() ? w : w->window();
    target->showNormal();
    target->raise();
    target->activateWindow();
}

void TMain::closeEvent(QCloseEvent* e)
{
    if (!m_closing) {
        m_closing = true;
        Timer1->stop();
        NMHTTP1->abort();
        if (Connects)
            Connects->CloseAll(ShutdownPauseMs);
    }
    e->accept();
    // The program ends with the main window even while other windows are open.
    // Not quit(): it asks every window to close first, and a rack window,
    // which only minimises while its connection is active, would refuse.
    QMetaObject::invokeMethod(qApp, [] { QCoreApplication::exit(0); }, Qt::QueuedConnection);
}
