#pragma once

#include "models/Gry230_Menu.h"
#include "models/Gry250_Menu.h"
#include "modules/RackModulePanel.h"

// The remote front panels of the two TV aural monitor modules. Their
// right-click menus show the plot entries, which open nothing: the TV rack has
// no plot windows of its own.
class TGry230Panel : public TRackModulePanel
{
    Q_OBJECT
public:
    TGry230Panel(QWidget* ownerRack, QWidget* parentRack, const QString& componentName,
                 TFrame2* frame, int index);

    const TGry230Menu& menu() const { return m_menu; }

protected:
    TRackModuleState* moduleState() override;
    TRackMenuModel& menuModel() override { return m_menu; }
    QString menuText() override;
    QString readoutText(int which) override;

private:
    TGry230Menu m_menu;
};

class TGry250Panel : public TRackModulePanel
{
    Q_OBJECT
public:
    TGry250Panel(QWidget* ownerRack, QWidget* parentRack, const QString& componentName,
                 TFrame2* frame, int index);

    const TGry250Menu& menu() const { return m_menu; }

protected:
    TRackModuleState* moduleState() override;
    TRackMenuModel& menuModel() override { return m_menu; }
    QString menuText() override;
    QString readoutText(int which) override;

private:
    TGry250Menu m_menu;
};
