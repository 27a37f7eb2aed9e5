#pragma once

#include "common/WindowNames.h"

#include <QPointer>
#include <QWidget>

class TFrame2;

// What a panel hands to every window it opens. One record, so two arguments of
// the same type (family and instrument) can never be swapped unnoticed.
struct TChildWindowArgs
{
    QWidget* ownerPanel = nullptr; // parent and owner: the window dies with its panel
    TFrame2* frame = nullptr;      // the connection the window reads
    QPointer<QObject> ownerHandle; // receives UM_CHILD_CLOSED
    int family = 0;                // TPlotFamilyCode
    int instrument = 0;            // PlotInstrumentCode
    int index = 0;                 // channel or window index
};

// Which refresh messages a window acts on, by their lParam.
enum class TRefreshPolicy
{
    AnyLParam,   // every refresh
    ZeroLParam,  // only lParam == 0
    LowWordZero, // only when the low 16 bits of lParam are 0
};

// Base of every window an instrument panel opens: a top-level window owned by
// the panel, freed when closed, that tells its panel it closed.
class TInstrumentChildWindow : public QWidget
{
    Q_OBJECT
public:
    // kind is the number posted with UM_CHILD_CLOSED; refreshMessage the
    // message that runs RefreshWindow.
    TInstrumentChildWindow(const TChildWindowArgs& args, int kind, int refreshMessage,
                           TRefreshPolicy policy = TRefreshPolicy::ZeroLParam);

    TFrame2* frame() const;
    int kind() const { return m_kind; }
    int index() const { return m_args.index; }
    int family() const { return m_args.family; }
    int instrument() const { return m_args.instrument; }
    QWidget* ownerPanel() const { return m_args.ownerPanel; }

    // Names the window panel name + token + index and captions it
    // " " + rack caption + title.
    void setDesignedName(const TWindowToken& token, const QString& title);
    // Named as setDesignedName names, captioned with the text as given.
    void setFixedName(const TWindowToken& token, const QString& caption);

    // The index posted with UM_CHILD_CLOSED when the panel keeps the window
    // under another index than the one that names it; by default the index.
    void setCloseIndex(int index) { m_closeIndex = index; }
    int closeIndex() const { return m_closeIndex >= 0 ? m_closeIndex : m_args.index; }

protected:
    // Redraw from the frame; runs on the refresh message the policy admits.
    virtual void RefreshWindow(qintptr lParam) { Q_UNUSED(lParam); }
    // Another message this window handles (wParam, lParam as posted).
    virtual bool handleMessage(int msg, qintptr wParam, qintptr lParam);
    bool event(QEvent* e) override;
    void closeEvent(QCloseEvent* e) override;

private:
    // A window that was given no place of its own opens beside its rack
    // window, within the screen.
    void placeNearRack();

    TChildWindowArgs m_args;
    bool m_placed = false;
    QPointer<TFrame2> m_frame;
    int m_kind;
    int m_refreshMessage;
    TRefreshPolicy m_policy;
    int m_closeIndex = -1;
};
