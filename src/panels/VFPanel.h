#pragma once

#include "panels/PanelBase.h"

// Base of the rack-module panels: refreshed by UM_PANEL_REFRESH, 600 x 100.
class TVFPanel : public TPanelBase
{
    Q_OBJECT
public:
    static const Design design;
    explicit TVFPanel(QWidget* owner)
        : TPanelBase(design, owner)
    {}
    TVFPanel(QWidget* ownerRack, QWidget* parentRack, const QString& componentName, TFrame2* frame,
             int index)
        : TPanelBase(design, ownerRack, parentRack, componentName, frame, index)
    {}
};
