#include "tavr1/Tavr1_PanelWindows.h"

TTavr1WindowClasses Tavr1WindowClasses()
{
    TTavr1WindowClasses c;
    // Each window the panel opens is listed here once it exists, as
    //     c.histogram = makeChildWindow<THistogram>;
    // (a window whose constructor takes other arguments gets a small lambda).
    // Until then its menu entry stays disabled.
    return c;
}
