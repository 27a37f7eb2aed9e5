#pragma once

#include "models/Varn1_Menu.h"
#include "modules/RackModulePanel.h"

// The remote front panel of one Varn1 SCA modulation analyser unit. An FM
// rack holds up to two; PanelIndex (0 or 1) is the unit this panel reads,
// commands and opens plots for (instrument 3 + unit).
class TVarn1Panel : public TRackModulePanel
{
    Q_OBJECT
public:
    static constexpr int ChannelCount = 4;

    TVarn1Panel(QWidget* ownerRack, QWidget* parentRack, const QString& componentName,
                TFrame2* frame, int index);

    const TVarn1Menu& menu() const { return m_menu; }

protected:
    TRackModuleState* moduleState() override;
    TRackMenuModel& menuModel() override { return m_menu; }
    QString menuText() override;
    QString readoutText(int which) override;

private:
    void FormCreate();
    int unit() const { return PanelIndex == 1 ? 1 : 0; }
    TVarn1Menu m_menu;
};
