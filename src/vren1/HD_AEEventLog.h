#pragma once

#include "panels/ChildWindow.h"

#include <array>

class QAction;
class QLabel;
class QMenu;
class QTreeWidget;
class QWidget;

// The LOT event list (newest first, the 500 newest shown) and, on demand, a
// diagnostics area with the data-service status table, the XHDR values and
// the commercial frames of each program.
//
// Object names: Panel1 with ListView1; Panel2 with Label1..Label4 and
// ListView3..ListView7; PopupMenu1 with ClearEventLog1 and Diagnostics1.
class TAEEventLog : public TInstrumentChildWindow
{
    Q_OBJECT
public:
    static constexpr int Kind = 12;
    static constexpr int ShownEvents = 500;
    static constexpr int PlainHeight = 450;
    static constexpr int DiagnosticsHeight = 800;
    static constexpr int Panel2Height = 313;

    explicit TAEEventLog(const TChildWindowArgs& args);

    bool DiagnosticsShown = false;

    QWidget* Panel1 = nullptr;
    QWidget* Panel2 = nullptr;
    QTreeWidget* ListView1 = nullptr;
    std::array<QLabel*, 4> Labels{};           // Label1..Label4
    std::array<QTreeWidget*, 5> Diagnostics{}; // ListView3..ListView7
    QMenu* PopupMenu1 = nullptr;
    QAction* ClearEventLog1 = nullptr;
    QAction* Diagnostics1 = nullptr;

    void ClearEventLogClick();
    void DiagnosticsClick();

protected:
    void RefreshWindow(qintptr lParam) override;
    void showEvent(QShowEvent* e) override;
    void contextMenuEvent(QContextMenuEvent* e) override;

private:
    void plainLayout();
    void rebuildEvents();
};
