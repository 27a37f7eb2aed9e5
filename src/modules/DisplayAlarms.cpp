#include "modules/DisplayAlarms.h"

#include "common/Enums.h"
#include "common/NameTables.h"
#include "link/Frame2.h"
#include "modules/RackPanelKit.h"
#include "platform/UserMessages.h"
#include "widgets/Lamp.h"

#include <QLabel>

namespace {

constexpr TLampPair AlarmLampPair = RedLampPair; // maroon clear, red set

const char* const kelb1Labels[8] = {"AUDIO FAILURE", "HIGH AM NOISE", "HIGH SYNC AM", "LOW CARRIER",
                                    "Reserved",      "Reserved",      "Reserved",     "Reserved"};
const char* const pelo1Labels[8] = {"AUDIO FAILURE",  "CARRIER FAILURE", "LOW CARRIER",
                                    "HIGH CAR LEVEL", "Reserved",        "Reserved",
                                    "Reserved",       "Reserved"};
const char* const pelo2Labels[8] = {"AUDIO FAILURE",  "CARRIER FAILURE", "LOW CARRIER",
                                    "HIGH CAR LEVEL", "LOW RF LEVEL",    "HIGH RF LEVEL",
                                    "Reserved",       "Reserved"};

const char* const* labelSet(int family, int instrument)
{
    if (family == pfFMRack && instrument == 0)
        return kelb1Labels;
    if (family == pfAMRack && instrument == 0)
        return pelo1Labels;
    if (family == pfAMRack && instrument == 1)
        return pelo2Labels;
    return nullptr;
}

} // namespace

TDisplayAlarms::TDisplayAlarms(const TChildWindowArgs& args)
    : TInstrumentChildWindow(args, Kind, UM_PANEL_REFRESH, TRefreshPolicy::AnyLParam)
{
    Title = InstrumentName(args.family, args.instrument) + "  Alarms";
    setDesignedName(WindowToken::RackAlarms, "  " + Title);
    setFixedSize(200, 8 * 24 + 12);

    const char* const* labels = labelSet(args.family, args.instrument);
    for (int i = 0; i < 8; ++i) {
        const int top = 8 + i * 24;
        LED[std::size_t(i)] = RackPanelKit::led(this, QString("LED%1").arg(i + 1),
                                                QRect(12, top + 2, 16, 16), AlarmLampPair);
        auto* l = new QLabel(this);
        l->setObjectName(QString("Label%1").arg(i + 1));
        l->setTextFormat(Qt::PlainText);
        l->setText(labels ? QString::fromLatin1(labels[i]) : QString("RESERVED"));
        l->setGeometry(40, top, 150, 20);
        Label[std::size_t(i)] = l;
    }
}

int TDisplayAlarms::AlarmByte(const TFrame2* frame, int family, int instrument)
{
    if (!frame)
        return 0;
    if (family == pfFMRack && instrument == 0)
        return frame->Kelb1State.AlarmBits & 0xFF;
    if (family == pfAMRack && instrument == 0)
        return frame->Pelo1State.AlarmBits & 0xFF;
    if (family == pfAMRack && instrument == 1)
        return frame->Pelo2State.AlarmBits & 0xFF;
    return 0;
}

void TDisplayAlarms::RefreshWindow(qintptr)
{
    const int bits = AlarmByte(frame(), family(), instrument());
    for (int i = 0; i < 8; ++i)
        RackPanelKit::setLed(LED[std::size_t(i)], AlarmLampPair, (bits >> i) & 1);
}
