#pragma once

#include <QList>
#include <QMainWindow>
#include <QPointer>

class QAction;
class QStatusBar;
class QTimer;
class QTreeWidget;
class THttpGet;
class TRack;

// The main window: a small window with the menu and the list of open windows.
// Its one-second tick refreshes every connection's status text.
class TMain : public QMainWindow
{
    Q_OBJECT
public:
    explicit TMain(QWidget* parent = nullptr);

    QStatusBar* StatusLine = nullptr;
    QTreeWidget* ListView1 = nullptr;
    QTimer* Timer1 = nullptr;
    QAction* StayOnTopYes = nullptr;
    QAction* StayOnTopNo = nullptr;

    void Timer1Timer();
    void ListView1Click();

    // The pause between the sign-off and the close at shut-down; tests shorten it.
    int ShutdownPauseMs = 3000;

    // The rack window of each connection, null while it is not active.
    QPointer<TRack> Rack1, Rack2, Rack3, Rack4, Rack5, Rack6, Rack7, Rack8;
    // Rack1..Rack8 by connection number; nullptr for any other number.
    QPointer<TRack>* RackVariable(int n);

    // The once-per-run check of the web version file.
    THttpGet* NMHTTP1 = nullptr;
    bool VersionCheckPending = true; // until the first tick sends the request
    bool UpdateAvailable = false;    // the next tick offers the update dialog
    QString VersionFileText;         // the whole file
    QString ProgramVersionText;
    QString Vren1VersionText;
    QString Tavr1VersionText;
    // The whole request's deadline; tests shorten it.
    int VersionCheckDeadlineMs = 15000;
    enum class TVersionCheck
    {
        Pending,
        Requested,
        UpdateOffered,
        NoUpdate,
        Failed,
    };
    TVersionCheck VersionCheck = TVersionCheck::Pending;

    // The window behind row n of the open-window list; nullptr when it is gone.
    QWidget* ListedWindow(int row) const;

protected:
    void closeEvent(QCloseEvent* e) override;

private:
    void buildMenu();
    void setStayOnTop(bool on);
    // The one-second tick's jobs that join with later parts of the program.
    void CheckProgramVersion();
    void OfferProgramUpdate();
    void NMHTTP1Success(const QByteArray& body);
    void NMHTTP1Failure();
    void UpdateRackWindows();
    void RebuildOpenWindowList();
    void freeRetiredRacks();
    bool m_closing = false;
    // Racks whose connection stopped being active, waiting to be freed.
    QList<QPointer<TRack>> m_retiredRacks;
};
