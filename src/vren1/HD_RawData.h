#pragma once

#include "panels/ChildWindow.h"

class QLabel;
class QListWidget;
class QPushButton;

// A look at the link of an HD unit: the command lines sent, the reply lines
// and echoed S-protocol lines received, the number and checksums of the
// current block and a dump of its bytes.
//
// Object names: Label1, Label2, ListBox1 (dump), ListBox2 (sent), ListBox3
// (received), Button1 (Pause).
class THDRawData : public TInstrumentChildWindow
{
    Q_OBJECT
public:
    static constexpr int Kind = 99;
    // The two line lists keep this many of their newest lines.
    static constexpr int MaxListLines = 1000;

    explicit THDRawData(const TChildWindowArgs& args);

    // While paused the lines still arrive; the block view stays as it is.
    bool Paused = false;

    QLabel* Label1 = nullptr;        // block number
    QLabel* Label2 = nullptr;        // checksums
    QListWidget* ListBox1 = nullptr; // the dump of the current block
    QListWidget* ListBox2 = nullptr; // lines sent
    QListWidget* ListBox3 = nullptr; // lines received
    QPushButton* Button1 = nullptr;  // Pause

    void Button1Click();

protected:
    void RefreshWindow(qintptr lParam) override;
};
