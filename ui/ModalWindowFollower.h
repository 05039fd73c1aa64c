#pragma once

#include <QObject>
#include <QPointer>

class QWidget;

// Keeps a modal window and the main window together under a window manager: a modal window
// minimized by its caption button minimizes the program with it, and restoring the main window
// brings the modal window back on top, with the focus where it was. Without this the modal window
// is gone from the screen while the main window takes no input.
class ModalWindowFollower : public QObject
{
    Q_OBJECT

public:
    explicit ModalWindowFollower(QWidget *mainWindow);
    ~ModalWindowFollower() override;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void modalMinimized(QWidget *modal);
    void mainRestored();

    QWidget *m_main;
    QPointer<QWidget> m_modal;
    QPointer<QWidget> m_focus;
};
