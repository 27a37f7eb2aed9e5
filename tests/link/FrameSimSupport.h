#pragma once

// What the link and firmware-update tests share: a frame opened on a
// simulated unit, the tick seam, the event log's errors, and the message
// boxes answered and recorded.

#include "TestSupport.h"

#include "data/EventLog.h"
#include "link/Frame2.h"
#include "link/FrameHooks.h"
#include "widgets/MessageBoxService.h"

#include <QStringList>
#include <gtest/gtest.h>
#include <functional>
#include <memory>

// A frame for the simulated unit over TCP or, on the serial transport, over
// the unit's pseudo-terminal standing in for COM1; opened, not yet logged in.
template <class Sim>
std::unique_ptr<TFrame2> openFrameOn(Sim& sim, int hardwareType, int transport)
{
    auto f = std::make_unique<TFrame2>("Connect1");
    f->HardwareType = hardwareType;
    f->Transport = transport;
    if (transport == trNetwork) {
        f->IpAddress = "127.0.0.1";
        f->TcpPort = sim.listenTcp();
    } else {
        qputenv("TOLVEX_COM1", sim.openPty().toLocal8Bit());
        f->SerialPort = 0;
    }
    f->OpenConnection();
    EXPECT_TRUE(waitFor([&] { return f->PortOpen; }));
    return f;
}

// Runs the frame's ticks by hand with a short pump between, so the unit's
// replies come round and waits of thousands of ticks take a moment.
inline bool tickUntil(TFrame2& f, const std::function<bool()>& pred, int maxTicks, int pumpMs = 1)
{
    for (int i = 0; i < maxTicks; ++i) {
        if (pred())
            return true;
        f.Timer1Timer();
        pump(pumpMs);
    }
    return pred();
}

inline QStringList errorLines()
{
    QStringList out;
    for (const QString& l : logOldestFirst())
        if (l.contains("ERROR"))
            out << l;
    return out;
}

// The reconnect after a completed update failed: its own line, then the
// line that says what to do. Use under ASSERT_NO_FATAL_FAILURE.
inline void expectNoAnswerAfterUpdate(const char* reconnectError)
{
    const QStringList errors = errorLines();
    ASSERT_EQ(errors.size(), 2) << errors.join('|').toStdString();
    EXPECT_TRUE(errors[0].contains(reconnectError)) << errors[0].toStdString();
    EXPECT_TRUE(errors[1].endsWith(" No answer from the unit after the update: check the unit, "
                                   "then press Connect "));
}

// Four refusals of a network-module line: the box naming the module's file,
// the module's own failure line and nothing of the main firmware's, and the
// unit told to end ("EC"). Use under ASSERT_NO_FATAL_FAILURE.
template <class Sim>
void expectNetworkModuleRefused(const QStringList& boxes, Sim& sim)
{
    ASSERT_EQ(boxes.size(), 2) << boxes.join('|').toStdString();
    EXPECT_TRUE(boxes[1].startsWith("Bad Checksums, File Maybe Corrupt:  "));
    EXPECT_TRUE(boxes[1].endsWith("XPORT.DLD"));
    const QStringList errors = errorLines();
    ASSERT_EQ(errors.size(), 1) << errors.join('|').toStdString();
    EXPECT_TRUE(errors[0].endsWith(" Lantronix Update Failed "));
    EXPECT_EQ(countLogLines("EEPROM"), 0);
    ASSERT_TRUE(waitFor([&] { return sim.receivedLines().endsWith("EC"); }, 1000));
}

// The event log goes to log, and every message box is recorded in boxes and
// answered with *answer (Ok when none is given).
inline void captureLogAndBoxes(TEventLog& log, QStringList& boxes,
                               const QMessageBox::StandardButton* answer = nullptr)
{
    MessageLines = &log;
    SetMessageBoxAnswerer([&boxes, answer](const TMessageBoxRequest& r) {
        boxes << r.text;
        return answer ? *answer : QMessageBox::Ok;
    });
}

// Undoes captureLogAndBoxes and the hooks a test installed.
inline void releaseLogAndBoxes()
{
    FrameHooks() = TFrameHooks{};
    SetMessageBoxAnswerer({});
    MessageLines = nullptr;
}
