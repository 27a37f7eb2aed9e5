#pragma once

#include "panels/PanelBase.h"

// Base of the Tavr1 front panel: refreshed by UM_TAVR1_REFRESH, 600 x 200.
class TVFPanel_Tavr1 : public TPanelBase
{
    Q_OBJECT
public:
    static const Design design;
    explicit TVFPanel_Tavr1(QWidget* owner)
        : TPanelBase(design, owner)
    {}
    TVFPanel_Tavr1(QWidget* ownerRack, QWidget* parentRack, const QString& componentName,
                   TFrame2* frame, int index)
        : TPanelBase(design, ownerRack, parentRack, componentName, frame, index)
    {}
};
