#pragma once

#include "models/Pelo_Menu.h"
#include "modules/RackModulePanel.h"

// The remote front panels of the two AM modulation monitor modules: the
// negative modulation readout, eight lamps from the module's LED word (the
// Pelo2 adds three carrier lamps from its status word), the LCD menu line,
// their plots (AM rack, instrument 0 or 1) and alarm window.
class TPelo1Panel : public TRackModulePanel
{
    Q_OBJECT
public:
    TPelo1Panel(QWidget* ownerRack, QWidget* parentRack, const QString& componentName,
                TFrame2* frame, int index);

protected:
    TRackModuleState* moduleState() override;
    TRackMenuModel& menuModel() override { return m_menu; }
    QString menuText() override;
    QString readoutText(int which) override;

private:
    TPelo1Menu m_menu;
};

class TPelo2Panel : public TRackModulePanel
{
    Q_OBJECT
public:
    TPelo2Panel(QWidget* ownerRack, QWidget* parentRack, const QString& componentName,
                TFrame2* frame, int index);

protected:
    TRackModuleState* moduleState() override;
    TRackMenuModel& menuModel() override { return m_menu; }
    QString menuText() override;
    QString readoutText(int which) override;

private:
    TPelo2Menu m_menu;
};
