#include "ModalWindowFollower.h"

#include <QApplication>
#include <QEvent>
#include <QWidget>

ModalWindowFollower::ModalWindowFollower(QWidget *mainWindow) : QObject(mainWindow), m_main(mainWindow)
{
    qApp->installEventFilter(this);
}

ModalWindowFollower::~ModalWindowFollower()
{
    qApp->removeEventFilter(this);
}

bool ModalWindowFollower::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::WindowStateChange || !watched->isWidgetType())
        return false;
    auto *w = static_cast<QWidget *>(watched);
    if (!w->isWindow())
        return false;
    if (w != m_main && w->isModal() && w->isMinimized())
        modalMinimized(w);
    else if (w == m_main && !m_main->isMinimized())
        mainRestored();
    else if (w == m_modal && !w->isMinimized() && m_main->isMinimized())
        m_main->setWindowState(m_main->windowState() & ~Qt::WindowMinimized);
    return false;
}

void ModalWindowFollower::modalMinimized(QWidget *modal)
{
    m_modal = modal;
    m_focus = modal->focusWidget();
    if (!m_main->isMinimized())
        m_main->setWindowState(m_main->windowState() | Qt::WindowMinimized);
}

void ModalWindowFollower::mainRestored()
{
    QWidget *modal = m_modal;
    m_modal = nullptr;
    if (!modal || !modal->isVisible())
        return;
    modal->setWindowState(modal->windowState() & ~Qt::WindowMinimized);
    modal->raise();
    modal->activateWindow();
    if (m_focus && m_focus->window() == modal)
        m_focus->setFocus();
}
