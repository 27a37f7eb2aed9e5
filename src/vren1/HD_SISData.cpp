#include "vren1/HD_SISData.h"

#include "common/FieldHelpers.h"
#include "link/Frame2.h"
#include "platform/UserMessages.h"
#include "widgets/FixedFont.h"
#include "widgets/SetIfChanged.h"

#include <QFontMetrics>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QVBoxLayout>

namespace {

struct TSisField
{
    const char* caption;
    const char* name;
    int blanks; // the width shown while the SIS CRC is bad
};

// Header group first (0..7), then the data group (8..14).
constexpr TSisField Fields[THDSISData::FieldCount] = {
    {"Port ID:", "LPort_ID", 1},
    {"Service ID:", "LService_ID", 2},
    {"Session Type:", "LSession_TYpe", 2},
    {"Num Types:", "LNum_Types", 2},
    {"Block Count:", "LBlock_Count", 2},
    {"ALFN:", "LALFN", 9},
    {"ALFN Status:", "LALFN_Status", 2},
    {"Time Lock Status:", "LTime_Lock_Status", 8},
    {"FCC ID:", "LFCC_ID", 6},
    {"Network ID:", "LNetwork_ID", 2},
    {"Country:", "LCountry", 4},
    {"Latitude:", "LLatitude", 12},
    {"Longitude:", "LLongtitude", 12},
    {"Short Name:", "LShort_Name", 8},
    {"Long Name:", "LLong_Name", 56},
};

constexpr int SisCrcGoodBit = 1 << 2;

} // namespace

THDSISData::THDSISData(const TChildWindowArgs& args)
    : TInstrumentChildWindow(args, Kind, UM_HD_REFRESH)
{
    setDesignedName(WindowToken::HdSisData, " Vren-1 SIS Data");
    auto* layout = new QVBoxLayout(this);
    const QFont fixed = FixedPitchBoldFont(12);
    const char* titles[2] = {" Header Information ", " Data "};
    for (int g = 0; g < 2; ++g) {
        auto* box = new QGroupBox(titles[g], this);
        auto* grid = new QGridLayout(box);
        const int first = g == 0 ? 0 : 8;
        const int last = g == 0 ? 8 : FieldCount;
        for (int k = first; k < last; ++k) {
            grid->addWidget(new QLabel(Fields[k].caption, box), k - first, 0);
            auto* value = new QLabel(QString(Fields[k].blanks, ' '), box);
            value->setObjectName(Fields[k].name);
            value->setTextFormat(Qt::PlainText);
            value->setFont(fixed);
            // As wide as the field, so the window keeps its size whether the
            // values or the blanks show.
            value->setMinimumWidth(
                QFontMetrics(fixed).horizontalAdvance(QString(Fields[k].blanks, '0')));
            grid->addWidget(value, k - first, 1);
            Values[size_t(k)] = value;
        }
        grid->setColumnStretch(1, 1);
        layout->addWidget(box);
    }
    RefreshWindow(0);
}

void THDSISData::RefreshWindow(qintptr)
{
    const TFrame2* f = frame();
    if (!f)
        return;
    const THdServiceRec& s = f->HdService;
    QString t[FieldCount];
    if (f->HdStatus & SisCrcGoodBit) {
        t[0] = IntField(s.SisPortId, 1);
        t[1] = "0x" + ByteToHex2(quint8(s.SisServiceId));
        t[2] = IntField(s.SisSessionType, 2);
        t[3] = IntField(s.SisNumTypes, 2);
        t[4] = IntField(s.SisBlockCount, 2);
        t[5] = IntField(qint64(s.SisAlfn), 9);
        t[6] = IntField(s.SisAlfnStatus, 2);
        t[7] = s.SisTimeLocked != 0 ? "LOCKED" : "UNLOCKED";
        t[8] = s.SisFccId;
        t[9] = s.SisNetworkId;
        t[10] = s.SisCountry;
        t[11] = s.SisLatitude;
        t[12] = s.SisLongitude;
        t[13] = s.SisShortName;
        t[14] = s.SisLongName;
    } else {
        for (int k = 0; k < FieldCount; ++k)
            t[k] = QString(Fields[k].blanks, ' ');
    }
    for (int k = 0; k < FieldCount; ++k)
        setTextIfChanged(Values[size_t(k)], t[k]);
}
