#include "panels/PanelBase.h"

#include "link/Frame2.h"
#include "platform/UserMessages.h"

#include <QPainter>
#include <limits>

namespace {

bool fitsInt(qintptr v)
{
    return v >= std::numeric_limits<int>::min() && v <= std::numeric_limits<int>::max();
}

} // namespace

TPanelBase::TPanelBase(const Design& design, QWidget* owner)
    : QWidget(owner, Qt::Window)
    , m_design(design)
    , m_whiteFrame(design.drawsWhiteFrame)
{
    IsRackChild = false;
    setObjectName(design.caption);
    setWindowTitle(design.caption);
    resize(design.width, design.height);
    setMinimumSize(design.width, design.minHeight);
    setMaximumSize(design.width, design.maxHeight);
}

TPanelBase::TPanelBase(const Design& design, QWidget* ownerRack, QWidget* parentRack,
                       const QString& componentName, TFrame2* frame, int index)
    : QWidget(parentRack ? parentRack : ownerRack)
    , m_design(design)
    , m_whiteFrame(design.drawsWhiteFrame)
{
    IsRackChild = true;
    ParentRack = parentRack;
    PanelName = componentName;
    PanelIndex = index;
    Frame = frame;
    setObjectName(componentName);
    setWindowTitle(design.caption);
    setDesignedSize(design.width, design.height);
}

TFrame2* TPanelBase::frame() const
{
    return Frame;
}

void TPanelBase::setDesignedSize(int width, int height)
{
    if (IsRackChild) {
        // The descendant's own size wins over the base's limits: the rack
        // stacks its panels by their heights.
        setMinimumSize(0, 0);
        setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
        setFixedSize(width, height);
    } else {
        setMinimumSize(width, qMin(height, m_design.minHeight));
        setMaximumSize(width, qMax(height, m_design.maxHeight));
        resize(width, height);
    }
}

TChildWindowArgs TPanelBase::childArgs(int family, int instrument, int index)
{
    TChildWindowArgs a;
    a.ownerPanel = this;
    a.frame = Frame;
    a.ownerHandle = this;
    a.family = family;
    a.instrument = instrument;
    a.index = index;
    return a;
}

bool TPanelBase::event(QEvent* e)
{
    if (UserMessageEvent::isUserMessage(e)) {
        auto* m = static_cast<UserMessageEvent*>(e);
        if (m->msg() == m_design.refreshMessage) {
            if (Frame)
                RefreshPanel();
            return true;
        }
        if (m->msg() == UM_CHILD_CLOSED) {
            // A kind or index beyond an int would alias a real one once cut
            // down; such a message names no window of ours.
            if (fitsInt(m->wParam()) && fitsInt(m->lParam()))
                ChildClosed(int(m->wParam()), int(m->lParam()));
            return true;
        }
    }
    return QWidget::event(e);
}

void TPanelBase::paintEvent(QPaintEvent* e)
{
    QWidget::paintEvent(e);
    if (!m_whiteFrame)
        return;
    QPainter p(this);
    p.setPen(Qt::white);
    p.drawRect(0, 0, width() - 1, height() - 1);
}
