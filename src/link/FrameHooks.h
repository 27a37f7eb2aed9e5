#pragma once

#include <functional>

class TFrame2;

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
};

TFrameHooks& FrameHooks();
