#pragma once

#include <QWidget>

class QLabel;
class QMenu;
class QTextEdit;
class TC8L1Frame;
class TEventLog;
class TFrame2;

// The number of the connection whose tab is selected (1..8). Only the eight
// connection tabs change it.
extern int CurrentConnection;

// The Connections window: the eight connection frames on their tabs and, below
// them, the event log.
class TConnects : public QWidget
{
    Q_OBJECT
public:
    explicit TConnects(QWidget* parent = nullptr);
    ~TConnects() override;

    TC8L1Frame* C8L1Frame = nullptr;
    QLabel* Label1 = nullptr; // "Message Window"
    QTextEdit* RichEdit1 = nullptr;
    QMenu* PopupMenuMess = nullptr;

    void InitConnections();
    void ExitAll();
    // Signs every connection off, waits pauseMs for the instruments to take
    // it, then closes the eight transports. Only a sign-off sent is waited
    // for, and the wait runs the event loop (the sign-offs must still leave);
    // true when it waited.
    bool CloseAll(int pauseMs = 3000);
    // Connect1..Connect8 for n = 1..8; nullptr for any other number.
    TFrame2* ConnectionByIndex(int n) const;
    void UpdateTabCaptions();
    void UpdateAllStatus();
    void PageControl2Change(int index);

    void ClearLog();
    void ExpandLog();

private:
    void lineAdded(const QString& line);
    TEventLog* m_log = nullptr;
};
