#pragma once

#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTest>
#include <unistd.h>

// Small file helpers the archive and program tests share.
namespace TestFiles {

inline QByteArray readAll(const QString &name)
{
    QFile f(name);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

inline bool writeAll(const QString &name, const QByteArray &bytes)
{
    QFile f(name);
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(bytes) == bytes.size();
}

// Root reads and writes everything, so permission cases run this test function again as
// nobody. Gives false when that run fails or setpriv is missing.
inline bool rerunUnprivileged(const char *testFunction)
{
    if (QStandardPaths::findExecutable(QStringLiteral("setpriv")).isEmpty())
        return false;
    QProcess p;
    p.setProcessChannelMode(QProcess::ForwardedChannels);
    p.start(QStringLiteral("setpriv"), {"--reuid=65534", "--regid=65534", "--clear-groups", "--",
                                         QCoreApplication::applicationFilePath(), QString::fromLatin1(testFunction)});
    return p.waitForFinished(60000) && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
}

inline bool runningAsRoot() { return geteuid() == 0; }

} // namespace TestFiles
