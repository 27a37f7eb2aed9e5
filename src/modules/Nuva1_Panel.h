#pragma once

#include "models/Nuva1_Menu.h"
#include "modules/RackModulePanel.h"

// The remote front panel of the Nuva1 FM stereo analyser module: left and
// right (or L+R and L-R on the crosstalk line) readouts, the LCD menu line,
// the PILOT lamp and its plot windows (family FM rack, instrument 1).
class TNuva1Panel : public TRackModulePanel
{
    Q_OBJECT
public:
    static constexpr int ChannelCount = 7;

    TNuva1Panel(QWidget* ownerRack, QWidget* parentRack, const QString& componentName,
                TFrame2* frame, int index);

    const TNuva1Menu& menu() const { return m_menu; }

protected:
    TRackModuleState* moduleState() override;
    TRackMenuModel& menuModel() override { return m_menu; }
    QString menuText() override;
    QString readoutText(int which) override;

private:
    void FormCreate();
    TNuva1Menu m_menu;
};
