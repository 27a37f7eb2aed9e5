#pragma once

#include "panels/ChildWindow.h"
#include "protocol/hd/HdSig.h"

#include <vector>

class QTreeWidget;

// The service information guide: the services the station announces and their
// components. Refreshed only when a new guide arrived; a guide whose services
// are all still incomplete (status below 2) keeps the rows shown, and a guide
// of no services empties both lists.
//
// Object names: ListView1 (services), ListView2 (components).
class THDSIGInfo : public TInstrumentChildWindow
{
    Q_OBJECT
public:
    static constexpr int Kind = 11;
    explicit THDSIGInfo(const TChildWindowArgs& args);

    QTreeWidget* ListView1 = nullptr;
    QTreeWidget* ListView2 = nullptr;
    std::vector<SigService> Services; // the guide last parsed

protected:
    void RefreshWindow(qintptr lParam) override;
    void showEvent(QShowEvent* e) override;

private:
    void rebuild();
};
