#include "panels/VFPanel.h"

#include "platform/UserMessages.h"

const TPanelBase::Design TVFPanel::design = {UM_PANEL_REFRESH, 600, 100, 80, 100, "VFPanel", true};
