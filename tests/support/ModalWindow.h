#pragma once

#include <QApplication>
#include <QDialog>
#include <QPointer>
#include <QTest>
#include <QTimer>
#include <functional>

// Runs driver on the modal window about to open, inside that window's own loop. A window the
// driver leaves open is closed afterwards, once a close that the driver's last key left pending
// has come, so that a failing check cannot hang the test. Call it just before the command that
// opens the window.
inline void whileModalOpen(const std::function<void(QWidget *)> &driver, QObject *context = qApp)
{
    QTimer::singleShot(0, context, [driver] {
        const QPointer<QWidget> window = QApplication::activeModalWidget();
        QVERIFY2(window, "no modal window is open");
        driver(window);
        if (!window)
            return;
        QMetaObject::invokeMethod(window, [window] {
            if (!window || !window->isVisible())
                return;
            if (auto *dialog = qobject_cast<QDialog *>(window.data()))
                dialog->reject();
            else
                window->close();
        }, Qt::QueuedConnection);
    });
}
