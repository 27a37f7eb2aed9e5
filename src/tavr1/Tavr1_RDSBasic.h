#pragma once

#include "panels/ChildWindow.h"

class QLabel;

// The RDS data a Tavr1 unit decoded itself, as its block carries them.
class TTavr1RDSBasic : public TInstrumentChildWindow
{
    Q_OBJECT
public:
    static constexpr int Kind = 5;

    // The panel opens it with new TTavr1RDSBasic(args); it is always index 0.
    explicit TTavr1RDSBasic(const TChildWindowArgs& args);

    // The group types received, version A before B for each type: " 0A 2A 2B 14A".
    static QString groupTypesText(quint16 groupsA, quint16 groupsB);

    QLabel *PI_Hex_LD, *PI_Call_LD, *TP_V_LD, *TP_S_LD, *TA_V_LD, *TA_S_LD, *MS_V_LD, *MS_S_LD,
        *PS_LD, *Time_LD, *Date_LD, *DI_N_LD, *DI_S_LD, *PTY_N_LD, *PTY_S_LD, *PTYN_LD, *PIN_LD,
        *Text_AB_LD, *RT_LD, *AF_Num_LD, *AF_Str_LD, *GT_LD;

protected:
    void RefreshWindow(qintptr lParam) override;
};
