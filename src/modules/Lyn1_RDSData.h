#pragma once

#include "models/RdsBasicPage.h"
#include "panels/ChildWindow.h"
#include "protocol/rds/RdsDecoder.h"

#include <vector>

class QLabel;
class QTabWidget;

// The RDS decoder window of a Lyn1 module: while it is open the module streams
// its raw groups; every batch the connection unpacked since the last message
// is decoded here, into this window's own decoder, and the Basic page shows
// the station.
//
// Components (object names): PageControl1 with the pages "Basic" (shown),
// "Group Data" and "Group Info" (present, hidden). Basic: PI_Call_LD,
// PI_Hex_LD, ECC_LD, TA_LD, TP_LD, MS_LD, PS_LD, PTY_N_LD, PTY_S_LD, PTYN_LD,
// Time_LD, Date_LD, PIN_LD, City_LD, State_N_LD, State_S_LD, DI_N_LD,
// DI_S_LD, RT_A_LD, RT_B_LD, AF_MethodA_LD, AF_MethodB_LD, AF_Count_LD,
// AF_Line1_LD, AF_Line2_LD, GT_LD. A value the station has sent shows yellow,
// one not yet received white.
class TRDS : public TInstrumentChildWindow
{
    Q_OBJECT
public:
    static constexpr int Kind = 99;

    // Index 0 always; sends the stream-on command and starts from nothing.
    explicit TRDS(const TChildWindowArgs& args);

    const TRdsDecoder& decoder() const { return m_decoder; }
    // Tests set the naming set here; nothing in the program does.
    void setMode(int mode);

    QTabWidget* PageControl1;

protected:
    void RefreshWindow(qintptr lParam) override;
    void closeEvent(QCloseEvent* e) override;

private:
    void paint();

    TRdsDecoder m_decoder;
    // Each label beside the page field it shows.
    std::vector<std::pair<QLabel*, TRdsField TRdsBasicPage::*>> m_fields;
};
