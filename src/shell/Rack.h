#pragma once

#include <QPointer>
#include <QWidget>

class QTimer;
class TFrame2;
class TPanelBase;

// The rack window of one active connection ("Rack1".."Rack8"), captioned with
// the connection's rack caption: the front panels of the units the frame
// reports, stacked top-down at the left edge, fed by the frame's data
// messages. It grows in small steps until the stack fits. Closing it only
// minimises it; the main window frees it when the connection stops being
// active.
class TRack : public QWidget
{
    Q_OBJECT
public:
    // Makes the rack window of frame, owned by owner and stored in
    // rackVariable, unless rackVariable already holds one. Returns the rack.
    static TRack* Create1(QWidget* owner, TFrame2* frame, QPointer<TRack>& rackVariable,
                          const QString& name);

    // The client height the window is made with, below the smallest panel so
    // the growing shows.
    static constexpr int DesignedClientHeight = 40;
    static constexpr int DesignedClientWidth = 600;
    static constexpr int GrowStep = 10;
    // The smallest first panel a rack holds (the Jov4 tuner's).
    static constexpr int DefaultFirstPanelHeight = 107;
    // The tallest (the Vren1's): what a rack whose units are not known yet
    // may turn out to need in view.
    static constexpr int LargestFirstPanelHeight = 260;

    QPointer<TFrame2> Frame;
    qint32 ShownUnits = 0;
    qint32 NextTop = 0;
    qint32 TargetHeight = 0;
    qint32 TargetWidth = 0;

    // The panels, one per kind, null until made.
    QPointer<TPanelBase> Vren1Panel, Tavr1Panel, Jov4Panel, Kelb1Panel, Nuva1Panel, Lyn1Panel,
        Varn1Panel0, Varn1Panel1, Gry230Panel, Gry250Panel, Pelo1Panel, Pelo2Panel;

    QTimer* Timer1 = nullptr;

    // Makes the panels of the units present and stacks them; does nothing
    // while the frame's detected units are those last arranged.
    void ArrangePanels();
    // One growing step.
    void Timer1Timer();

    // The panel model token of a Jov4-type module from its model text;
    // nullptr when the text names none of its models.
    static const char* Jov4Token(const QString& modelText);

    // The height from the top of the window's frame to the foot of its first
    // panel: the part another window must leave in view.
    int HeadHeight() const;

protected:
    bool event(QEvent* e) override;
    void closeEvent(QCloseEvent* e) override;

private:
    TRack(QWidget* owner, TFrame2* frame, const QString& name);
    void fixWidth();
    // Opens the window where it hides neither the owner's list nor the
    // caption and first panel of another rack window, within the screen.
    void placeBeside(QWidget* owner);
    // Whether an arrangement has placed any panel: until then the window
    // keeps its own size and limits.
    bool m_placedAny = false;
};
