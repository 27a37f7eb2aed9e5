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
};

TFrameHooks& FrameHooks();
