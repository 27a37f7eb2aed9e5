#pragma once

// The fixture the HD and Tavr1 link tests share: the two families log in
// with the same dialogue of text lines, so their tests open a frame on the
// family's simulated unit the same way, run its ticks by hand and read the
// event log's lines by kind. A behaviour both families have is one typed test
// over the families' texts below.

#include "link/FrameSimSupport.h"

#include "protocol/hd/HdBlockLayout.h"
#include "protocol/tavr1/Tavr1BlockLayout.h"

#include "sim/hd/HdSim.h"
#include "sim/tavr1/Tavr1Sim.h"

#include <QStringList>
#include <gtest/gtest.h>

template <class Sim, int HardwareType>
class TLineUnitLinkTest : public ::testing::TestWithParam<int>
{
protected:
    void SetUp() override { MessageLines = &log; }
    void TearDown() override
    {
        MessageLines = nullptr;
        qunsetenv("TOLVEX_COM1");
    }

    // A frame of the family on the transport given, its timer stopped so the
    // test runs the ticks.
    std::unique_ptr<TFrame2> connect(int transport)
    {
        if constexpr (HardwareType == htHDSystem)
            sim.network = transport == trNetwork;
        return openFrameOn(sim, HardwareType, transport);
    }

    // Runs ticks, letting the unit answer between them, until pred holds.
    bool tickUntil(TFrame2& f, const std::function<bool()>& pred, int maxTicks, int pumpMs = 40)
    {
        return ::tickUntil(f, pred, maxTicks, pumpMs);
    }

    bool loggedIn(TFrame2& f)
    {
        return tickUntil(
            f, [&] { return f.ProcessState == 4; }, 40);
    }

    QStringList linesOf(const char* prefix) const
    {
        QStringList out;
        for (const QString& l : logOldestFirst())
            if (l.startsWith(prefix))
                out << l;
        return out;
    }

    TEventLog log;
    Sim sim;
};

// What the two families' links say and count where they differ.
struct THdLoginTexts
{
    using Sim = HdSim;
    static constexpr int hardwareType = htHDSystem;
    static constexpr const char* validPrompt = "VALID\r";
    static constexpr const char* invalidPassword = " HD INVAILD PASSWORD             ";
    static constexpr const char* noPrompt = " HD Hardware not responding check settings ";
    static constexpr const char* noLevel = " HD password verification failed ";
    static constexpr const char* noIdentification = " HD hardware not responding";
    static constexpr const char* modemRefusal =
        " HD cannot be reached over a modem: choose RS-232 or Network ";
    static constexpr int signOutWaitTicks = 20;
    static constexpr int currentBlockSlot = CurrentHdBlockSlot;
    // A block as kept: the PC's time appended to a classic one; a stamped
    // one as the unit framed it on the transport.
    static constexpr int classicKeptLength = HdBlockLength + 8;
    static int stampedKeptLength(int transport)
    {
        return transport == trNetwork ? HdNetworkStampedLength : HdSerialStampedLength;
    }
    static void startExit(TFrame2& f) { f.RequestExit(); }
};

struct TTavr1LoginTexts
{
    using Sim = Tavr1Sim;
    static constexpr int hardwareType = htTavr1;
    static constexpr const char* validPrompt = "VALID SUPERVISOR\r";
    static constexpr const char* invalidPassword = " Tavr1 INVAILD PASSWORD             ";
    static constexpr const char* noPrompt = " Tavr1 Hardware not responding check settings ";
    static constexpr const char* noLevel = " Tavr-1 password verification failed ";
    static constexpr const char* noIdentification = " Tavr1 hardware not responding";
    static constexpr const char* modemRefusal =
        " Tavr1 cannot be reached over a modem: choose RS-232 or Network ";
    static constexpr int signOutWaitTicks = 21;
    static constexpr int currentBlockSlot = CurrentTavr1BlockSlot;
    static constexpr int classicKeptLength = 1509;
    static int stampedKeptLength(int) { return 1509; }
    // The program's exit ends a Tavr1 connection at once, without this
    // sequence: the test enters it itself.
    static void startExit(TFrame2& f)
    {
        f.DisconnectStep = 0;
        f.ProcessState = 8;
    }
};

// The typed suites' fixture, named by family.
template <class Texts>
class TLineUnitFamilyTest : public TLineUnitLinkTest<typename Texts::Sim, Texts::hardwareType>
{};

struct TLineUnitFamilyNames
{
    template <class T>
    static std::string GetName(int)
    {
        return T::hardwareType == htHDSystem ? "HD" : "Tavr1";
    }
};

using TLineUnitFamilies = ::testing::Types<THdLoginTexts, TTavr1LoginTexts>;
