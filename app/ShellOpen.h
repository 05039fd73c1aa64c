#pragma once

#include <QString>
#include <functional>

// Asks the desktop to open a document of folder (or an address) with the application its type
// is associated with. Whatever the desktop answers, nothing is reported.
void ShellOpen(const QString &fileName, const QString &parameters, const QString &folder, int showCommand);

// For tests: watches the requests instead of passing them to the desktop.
using ShellOpenWatcher = std::function<void(const QString &fileName, const QString &parameters,
                                            const QString &folder, int showCommand)>;
void setShellOpenWatcher(ShellOpenWatcher watcher);
