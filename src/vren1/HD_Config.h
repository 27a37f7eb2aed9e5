#pragma once

#include "panels/ConfigReport.h"
#include "protocol/hd/HdData.h"

// The Vren1 unit-configuration report: the settings the unit reports beside
// the program's working copy. Every refresh refills both columns.
class THDConfig : public TConfigReport
{
    Q_OBJECT
public:
    static constexpr int Kind = 98;

    // The panel opens it with its usual arguments; the window is always index 0.
    explicit THDConfig(const TChildWindowArgs& args);

protected:
    bool recordsChanged() override;
    QStringList unitColumn() const override;
    QStringList localColumn() const override;
    // Asks the decoder to copy the unit's record and the received table over
    // the working copies at the next block; nothing goes to the unit.
    void Button1Click() override;

private:
    // The records the columns show now.
    bool m_shown = false;
    HdConfigRecord m_unit;
    HdConfigRecord m_local;
};
