#include "panels/HD_frontpanel.h"

#include "platform/UserMessages.h"

const TPanelBase::Design TVFPanel_HD::design = {UM_HD_REFRESH, 600,          200,  80,
                                                200,           "VFPanel_HD", false};
