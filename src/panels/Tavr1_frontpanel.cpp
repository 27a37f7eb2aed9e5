#include "panels/Tavr1_frontpanel.h"

#include "platform/UserMessages.h"

// The base form binds no paint handler; the Tavr1 panel binds the white frame itself.
const TPanelBase::Design TVFPanel_Tavr1::design = {UM_TAVR1_REFRESH, 600,  200, 80, 200,
                                                   "VFPanel_TAVR1",  false};
