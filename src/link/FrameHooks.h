#pragma once

#include <QList>
#include <functional>

class TFrame2;

enum class THdUpdateDialog
{
    TUpDateHD,
    TUpDateVren1,
};

// The frame's Configure and Update buttons open dialogs that live in higher
// rooms of the program (app/, shell/). Those rooms install the openers here at
// start-up, so the link code never includes a window of theirs. An opener that
// is not installed does nothing.
struct TFrameHooks
{
    std::function<void(TFrame2&)> showConfigure;
    std::function<void(TFrame2&)> showUpdate;
    // A Tavr1 login found the unit's firmware older than the file shipped for
    // it. Returns whether the update dialog took the connection; when it did
    // not (no dialog, or it is busy with another connection) the unit is polled.
    std::function<bool(TFrame2&)> tavr1UpdateDue;
    // An HD login found an update due: which dialog (TUpDateHD for the unit
    // without display, TUpDateVren1 for the one with) should take the frame.
    // Called for the logging-in frame, inside its tick: the dialog must open
    // from a queued call. Returns whether the dialog took the connection; when
    // it did not the unit is polled.
    std::function<bool(TFrame2&, THdUpdateDialog which)> hdUpdateDue;
};

TFrameHooks& FrameHooks();

// Every connection frame alive, so a transfer can see whether another frame
// is already updating firmware.
QList<TFrame2*>& LiveFrames();
