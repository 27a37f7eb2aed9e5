#include "rack/PanelBase.h"

#include "link/Frame2.h"
#include "platform/UserMessages.h"

#include <QPainter>

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
        setMinimumSize(0, 0);
        setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
        setFixedSize(width, height);
    } else {
        setMinimumSize(width, qMin(height, m_design.minHeight));
        setMaximumSize(width, qMax(height, m_design.maxHeight));
        resize(width, height);
    }
}

bool TPanelBase::event(QEvent* e)
{
    if (UserMessageEvent::isUserMessage(e)) {
        auto* m = static_cast<UserMessageEvent*>(e);
        if (m->msg() == m_design.refreshMessage) {
            RefreshPanel();
            return true;
        }
        if (m->msg() == UM_CHILD_CLOSED) {
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
