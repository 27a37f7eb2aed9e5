#pragma once

#include "panels/ChildWindow.h"

class QLabel;
class QListWidget;
class QPushButton;

// A look at the link of a Tavr1 unit: the replies and command lines as they
// go, the number and checksums of the current block and a dump of its bytes.
class TTavr1RawData : public TInstrumentChildWindow
{
    Q_OBJECT
public:
    static constexpr int Kind = 99;
    // The two line lists keep this many of their newest lines.
    static constexpr int MaxListLines = 1000;

    // The panel opens it with new TTavr1RawData(args); it is always index 0.
    explicit TTavr1RawData(const TChildWindowArgs& args);

    // While paused the lines still arrive; the block view stays as it is.
    bool Paused = false;

    QListWidget* ListBox1 = nullptr; // replies
    QListWidget* ListBox2 = nullptr; // command lines
    QListWidget* ListBox3 = nullptr; // the dump of the current block
    QPushButton* Button1 = nullptr;  // Pause
    QLabel* Label1 = nullptr;        // block number
    QLabel* Label2 = nullptr;        // checksums

protected:
    void RefreshWindow(qintptr lParam) override;

private:
    void showBlockNumber();
    // Rewrites the dump from the current block; the last partial line too
    // when withPartialLine.
    void dumpBlock(bool withPartialLine);
};
