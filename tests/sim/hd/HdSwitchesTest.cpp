#include "sim/hd/HdSwitches.h"

#include "protocol/hd/HdDecoder.h"
#include "sim/hd/HdBlock.h"
#include "sim/hd/HdSim.h"

#include <gtest/gtest.h>
#include <memory>

namespace {

// What the program decodes from the unit's next block.
std::unique_ptr<THdData> decodedFrom(HdSim& sim)
{
    auto d = std::make_unique<THdData>();
    auto s = std::make_unique<TConnectionState>();
    EXPECT_EQ(DecodeHdBlock(BuildHdBlock(sim.fields), *d, *s), THdBlockVerdict::Decoded);
    return d;
}

} // namespace

// The status a window reacts to reaches the program exactly as set, through
// the same block layout it decodes.
TEST(HdSwitches, StatusAndMasksReachTheDecodedBlock)
{
    HdSim sim;
    const QStringList args = {"--tcp",          "0",
                              "--ta-status",    "3,-1",
                              "--apply-states", "0,3,7,8,0xFF,1",
                              "--alarm-masks",  "0x800001,0x400000"};
    EXPECT_EQ(TakeHdStatusSwitch(sim, args, 0), 0); // not one of these
    EXPECT_EQ(TakeHdStatusSwitch(sim, args, 2), 2);
    EXPECT_EQ(TakeHdStatusSwitch(sim, args, 4), 2);
    EXPECT_EQ(TakeHdStatusSwitch(sim, args, 6), 2);
    auto d = decodedFrom(sim);
    EXPECT_EQ(d->HdService.TaState, 3);
    EXPECT_EQ(d->HdService.DeviceDelayUs, -1);
    const std::array<qint32, 7> apply = {0, 0, 3, 7, 8, 255, 1};
    EXPECT_EQ(d->HdService.TaApplyState, apply);
    EXPECT_EQ(d->HdAlarmMasks[0], 0x800001);
    EXPECT_EQ(d->HdAlarmMasks[1], 0x400000);

    // The calls the window tests use.
    sim.setTimeAlignStatus(2, 1234567);
    sim.setApplyState(6, 4);
    sim.setApplyState(7, 1); // no such configuration
    d = decodedFrom(sim);
    EXPECT_EQ(d->HdService.TaState, 2);
    EXPECT_EQ(d->HdService.DeviceDelayUs, 1234567);
    EXPECT_EQ(d->HdService.TaApplyState[6], 4);
}

TEST(HdSwitches, AMalformedSwitchIsRefusedAndChangesNothing)
{
    const QStringList bad[] = {
        {"--ta-status"},                     // no value
        {"--ta-status", "2"},                // one number
        {"--ta-status", "256,0"},            // state past a byte
        {"--ta-status", "-1,0"},             // negative state
        {"--ta-status", "2,4294967296"},     // delay past 32 bits
        {"--ta-status", "2,x"},              // not a number
        {"--apply-states", "1,2,3,4,5"},     // five of six
        {"--apply-states", "1,2,3,4,5,256"}, // past a byte
        {"--alarm-masks", "0x1000000,0"},    // past 24 bits
        {"--alarm-masks", "1"},              // one word
    };
    for (const QStringList& args : bad) {
        HdSim sim;
        const THdBlockFields before = sim.fields;
        EXPECT_EQ(TakeHdStatusSwitch(sim, args, 0), -1) << qPrintable(args.join(' '));
        EXPECT_EQ(sim.fields.service.TaState, before.service.TaState);
        EXPECT_EQ(sim.fields.service.DeviceDelayUs, before.service.DeviceDelayUs);
        EXPECT_EQ(sim.fields.service.TaApplyState, before.service.TaApplyState);
        EXPECT_EQ(sim.fields.alarmMasks, before.alarmMasks);
    }
}

// The unit a person starts from the command line is a healthy station: no
// lamp of the Alarm/Relay window lit until --alarm-masks lights it.
TEST(HdSwitches, AStationOnAirHasNothingInAlarmUntilTold)
{
    HdSim sim;
    sim.lookLikeAStation();
    auto d = decodedFrom(sim);
    EXPECT_EQ(d->HdAlarmMasks[0], 0);
    EXPECT_EQ(d->HdAlarmMasks[1], 0);

    const QStringList args = {"--alarm-masks", "0x000004,0x000100"};
    EXPECT_EQ(TakeHdStatusSwitch(sim, args, 0), 2);
    d = decodedFrom(sim);
    EXPECT_EQ(d->HdAlarmMasks[0], 0x000004);
    EXPECT_EQ(d->HdAlarmMasks[1], 0x000100);
}
