#include "CallistroApplication.h"

#include "platform/editors/CommandGuard.h"

#include <QIcon>

CallistroApplication::CallistroApplication(int &argc, char **argv) : QApplication(argc, argv)
{
    // The menu entry's name: the desktop matches the windows to the entry and takes its icon.
    setDesktopFileName(QStringLiteral("callistro"));
    QIcon icon;
    for (int size : {48, 256})
        icon.addFile(QStringLiteral(":/icons/callistro-%1.png").arg(size), QSize(size, size));
    setWindowIcon(icon);
}

bool CallistroApplication::notify(QObject *receiver, QEvent *event)
{
    bool handled = false;
    guarded([&] { handled = QApplication::notify(receiver, event); });
    return handled;
}

void CallistroApplication::guarded(const std::function<void()> &work)
{
    CommandGuard::run(work);
}
