#pragma once

#include "panels/ChildWindow.h"

// Each Tavr1 window has its own fixed index, the one it is named with and
// reports on close, whatever index the panel hands over: the panel finds its
// windows by (kind, index), so a window must never report another one's.
inline TChildWindowArgs tavr1WindowArgs(TChildWindowArgs args, int index)
{
    args.index = index;
    return args;
}
