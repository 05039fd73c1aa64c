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

enum class Rerun { Passed, Failed, Unavailable };

// Root reads and writes everything, so permission cases run this test function again as
// nobody. Unavailable where setpriv is missing or nobody cannot reach this test program (a
// checkout in a private home folder).
inline Rerun rerunUnprivileged(const char *testFunction)
{
    if (QStandardPaths::findExecutable(QStringLiteral("setpriv")).isEmpty())
        return Rerun::Unavailable;
    const QStringList asNobody{"--reuid=65534", "--regid=65534", "--clear-groups", "--"};
    if (QProcess::execute(QStringLiteral("setpriv"),
                          asNobody + QStringList{"test", "-x", QCoreApplication::applicationFilePath()}) != 0)
        return Rerun::Unavailable;
    QProcess p;
    p.setProcessChannelMode(QProcess::ForwardedChannels);
    p.start(QStringLiteral("setpriv"), asNobody + QStringList{QCoreApplication::applicationFilePath(),
                                                              QString::fromLatin1(testFunction)});
    const bool passed = p.waitForFinished(60000) && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
    return passed ? Rerun::Passed : Rerun::Failed;
}

// For a test function running as root: runs it again as nobody and reports that run, or skips.
#define RERUN_UNPRIVILEGED(testFunction)                                                                   \
    do {                                                                                                   \
        const TestFiles::Rerun rerun = TestFiles::rerunUnprivileged(testFunction);                         \
        if (rerun == TestFiles::Rerun::Unavailable)                                                        \
            QSKIP("running as root, and this test cannot run again as nobody here (setpriv or access)");   \
        QVERIFY(rerun == TestFiles::Rerun::Passed);                                                        \
        return;                                                                                            \
    } while (false)

inline bool runningAsRoot() { return geteuid() == 0; }

} // namespace TestFiles
