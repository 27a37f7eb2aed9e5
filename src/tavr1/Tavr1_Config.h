#pragma once

#include "panels/ConfigReport.h"
#include "protocol/tavr1/Tavr1Data.h"

// The Tavr1 unit-configuration report: the settings the unit reports beside
// the program's working copy. Every refresh refills both columns.
class TTavr1Config : public TConfigReport
{
    Q_OBJECT
public:
    static constexpr int Kind = 98;

    // The panel opens it with its usual arguments; the window is always index 0.
    explicit TTavr1Config(const TChildWindowArgs& args);

protected:
    bool recordsChanged() override;
    QStringList unitColumn() const override;
    QStringList localColumn() const override;
    // Asks the decoder to copy the unit's record at the next settings block
    // and each received table over the working copies; nothing goes to the unit.
    void Button1Click() override;

private:
    // The records the columns show now.
    bool m_shown = false;
    Tavr1ConfigRecord m_unit;
    Tavr1ConfigRecord m_local;
};
