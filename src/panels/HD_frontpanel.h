#pragma once

#include "panels/PanelBase.h"

// Base of the HD front panel: refreshed by UM_HD_REFRESH, 600 x 200.
class TVFPanel_HD : public TPanelBase
{
    Q_OBJECT
public:
    static const Design design;
    explicit TVFPanel_HD(QWidget* owner)
        : TPanelBase(design, owner)
    {}
    TVFPanel_HD(QWidget* ownerRack, QWidget* parentRack, const QString& componentName,
                TFrame2* frame, int index)
        : TPanelBase(design, ownerRack, parentRack, componentName, frame, index)
    {}
};
