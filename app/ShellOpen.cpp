#include "ShellOpen.h"

#include <QDesktopServices>
#include <QDir>
#include <QUrl>

namespace {

ShellOpenWatcher &watcher()
{
    static ShellOpenWatcher instance;
    return instance;
}

} // namespace

void setShellOpenWatcher(ShellOpenWatcher w)
{
    watcher() = std::move(w);
}

void ShellOpen(const QString &fileName, const QString &parameters, const QString &folder, int showCommand)
{
    if (watcher()) {
        watcher()(fileName, parameters, folder, showCommand);
        return;
    }
    // A bare name is found in folder, which the desktop has no notion of a working folder for.
    const QUrl url = fileName.contains(QStringLiteral("://"))
                         ? QUrl(fileName)
                         : QUrl::fromLocalFile(QDir(folder).absoluteFilePath(fileName));
    QDesktopServices::openUrl(url);
}
