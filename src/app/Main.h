#pragma once

#include <QList>
#include <QMainWindow>
#include <QPointer>

class QAction;
class QStatusBar;
class QTimer;
class QTreeWidget;
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

    // The address of the maker's update page, opened by "Check for Updates".
    static const char* UpdatePageUrl;

    void Timer1Timer();
    void ListView1Click();

    // The pause between the sign-off and the close at shut-down; tests shorten it.
    int ShutdownPauseMs = 3000;

    // The rack window of each connection, null while it is not active.
    QPointer<TRack> Rack1, Rack2, Rack3, Rack4, Rack5, Rack6, Rack7, Rack8;
    // Rack1..Rack8 by connection number; nullptr for any other number.
    QPointer<TRack>* RackVariable(int n);

protected:
    void closeEvent(QCloseEvent* e) override;

private:
    void buildMenu();
    void setStayOnTop(bool on);
    // The one-second tick's jobs that join with later parts of the program.
    void CheckProgramVersion();
    void UpdateRackWindows();
    void RebuildOpenWindowList();
    void freeRetiredRacks();
    bool m_closing = false;
    // Racks whose connection stopped being active, waiting to be freed.
    QList<QPointer<TRack>> m_retiredRacks;
};
