#pragma once

#include "panels/ChildWindow.h"
#include "panels/PanelChildren.h"

#include <QPointer>
#include <QWidget>

class TFrame2;

// The strip every instrument front panel is built on. Made by the rack-child
// constructor it is a borderless child of its rack window, named rack name +
// model token, and reading its connection frame; made by the plain
// constructor it is an ordinary top-level window. The three panel families
// share this, differing only in the refresh message and the designed size.
class TPanelBase : public QWidget
{
    Q_OBJECT
public:
    struct Design
    {
        int refreshMessage;
        int width;
        int height;
        int minHeight;
        int maxHeight;
        const char* caption;
        bool drawsWhiteFrame;
    };

    // Plain constructor.
    TPanelBase(const Design& design, QWidget* owner);
    // Rack-child constructor.
    TPanelBase(const Design& design, QWidget* ownerRack, QWidget* parentRack,
               const QString& componentName, TFrame2* frame, int index);

    bool IsRackChild = false;
    QPointer<QWidget> ParentRack;
    QString PanelName;
    int PanelIndex = 0;
    TFrame2* frame() const;

    // Read the frame and redraw; the base does nothing. Runs on the refresh
    // message only while the panel has its frame.
    virtual void RefreshPanel() {}
    // Post the refresh to the open child windows; the base has none.
    virtual void ForwardRefresh() {}
    // Forget the child window of that kind and index; the base does nothing.
    virtual void ChildClosed(int kind, int index)
    {
        Q_UNUSED(kind);
        Q_UNUSED(index);
    }

    // Sets the descendant's own designed size: a rack child becomes a strip of
    // exactly that outer size; a plain panel keeps its limits around it.
    void setDesignedSize(int width, int height);

    // The windows this panel has open.
    const TPanelChildren& children() const { return Children; }

protected:
    bool event(QEvent* e) override;
    void paintEvent(QPaintEvent* e) override;
    void setDrawsWhiteFrame(bool on) { m_whiteFrame = on; }

    // What every window this panel opens is handed: the panel as owner and as
    // the receiver of its closed-message, the frame, the codes and the index.
    TChildWindowArgs childArgs(int family, int instrument, int index);

    QPointer<TFrame2> Frame;
    TPanelChildren Children;

private:
    Design m_design;
    bool m_whiteFrame;
};
