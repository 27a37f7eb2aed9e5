#include "panels/ChildWindow.h"

#include "link/Frame2.h"
#include "models/WindowPlacement.h"
#include "platform/UserMessages.h"

#include <QCloseEvent>
#include <QScreen>

TInstrumentChildWindow::TInstrumentChildWindow(const TChildWindowArgs& args, int kind,
                                               int refreshMessage, TRefreshPolicy policy)
    : QWidget(args.ownerPanel, Qt::Window)
    , m_args(args)
    , m_frame(args.frame)
    , m_kind(kind)
    , m_refreshMessage(refreshMessage)
    , m_policy(policy)
{
    setAttribute(Qt::WA_DeleteOnClose);
}

TFrame2* TInstrumentChildWindow::frame() const
{
    return m_frame;
}

void TInstrumentChildWindow::setDesignedName(const TWindowToken& token, const QString& title)
{
    const QString panelName = m_args.ownerPanel ? m_args.ownerPanel->objectName() : QString();
    setObjectName(ChildWindowName(panelName, token, m_args.index));
    setWindowTitle(" " + (m_frame ? m_frame->RackCaption : QString()) + title);
}

void TInstrumentChildWindow::setFixedName(const TWindowToken& token, const QString& caption)
{
    const QString panelName = m_args.ownerPanel ? m_args.ownerPanel->objectName() : QString();
    setObjectName(ChildWindowName(panelName, token, m_args.index));
    setWindowTitle(caption);
}

bool TInstrumentChildWindow::handleMessage(int, qintptr, qintptr)
{
    return false;
}

bool TInstrumentChildWindow::event(QEvent* e)
{
    if (UserMessageEvent::isUserMessage(e)) {
        auto* m = static_cast<UserMessageEvent*>(e);
        if (m->msg() == m_refreshMessage) {
            const bool admitted =
                m_policy == TRefreshPolicy::AnyLParam ||
                (m_policy == TRefreshPolicy::ZeroLParam && m->lParam() == 0) ||
                (m_policy == TRefreshPolicy::LowWordZero && (m->lParam() & 0xFFFF) == 0);
            if (admitted && m_frame)
                RefreshWindow(m->lParam());
            return true;
        }
        return handleMessage(m->msg(), m->wParam(), m->lParam());
    }
    if (e->type() == QEvent::Show && !m_placed) {
        m_placed = true;
        if (!testAttribute(Qt::WA_Moved))
            placeNearRack();
    }
    return QWidget::event(e);
}

void TInstrumentChildWindow::placeNearRack()
{
    QWidget* rack = m_args.ownerPanel ? m_args.ownerPanel->window() : nullptr;
    QScreen* screen = rack ? rack->screen() : this->screen();
    if (!rack || !screen)
        return;
    // Windows of the same rack already open, so the next one does not open
    // exactly on the last.
    int open = 0;
    for (const TInstrumentChildWindow* w : rack->findChildren<TInstrumentChildWindow*>()) {
        if (w != this && w->isVisible())
            ++open;
    }
    const QSize outer = frameGeometry().size().expandedTo(size());
    move(PlaceNearRack(screen->availableGeometry(), rack->frameGeometry(), outer, open % 8));
}

void TInstrumentChildWindow::closeEvent(QCloseEvent* e)
{
    // Posted, so the panel forgets this window after the close has finished;
    // a panel that is itself going gets nothing (its children die without a
    // close event).
    PostMessage(m_args.ownerHandle, UM_CHILD_CLOSED, m_kind, closeIndex());
    QWidget::closeEvent(e);
}
