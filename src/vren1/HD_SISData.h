#pragma once

#include "panels/ChildWindow.h"

#include <array>

class QLabel;

// The station information service: its header values and the station's
// data. Shown only while the unit reports the SIS CRC good; otherwise every
// field shows blanks of its width, whatever the stored strings hold.
//
// Object names: the designed ones, LPort_ID ... LLong_Name (LSession_TYpe and
// LLongtitude spelled so).
class THDSISData : public TInstrumentChildWindow
{
    Q_OBJECT
public:
    static constexpr int Kind = 3;
    static constexpr int FieldCount = 15;
    explicit THDSISData(const TChildWindowArgs& args);

    std::array<QLabel*, FieldCount> Values{};

protected:
    void RefreshWindow(qintptr lParam) override;
};
