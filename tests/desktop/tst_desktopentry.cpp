#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

namespace {

struct Run
{
    int exitCode = -1;
    QString output;
};

QByteArray readAll(const QString &name)
{
    QFile f(name);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// The keys of the [Desktop Entry] group, values with the string escapes undone.
QMap<QString, QString> readEntry(const QString &name)
{
    QMap<QString, QString> keys;
    bool inGroup = false;
    for (const QByteArray &raw : readAll(name).split('\n')) {
        const QString line = QString::fromUtf8(raw);
        if (line.startsWith(u'[')) {
            inGroup = line == QLatin1String("[Desktop Entry]");
            continue;
        }
        const qsizetype eq = line.indexOf(u'=');
        if (!inGroup || eq <= 0 || line.startsWith(u'#'))
            continue;
        QString value;
        const QString escaped = line.mid(eq + 1);
        for (qsizetype i = 0; i < escaped.size(); ++i) {
            QChar c = escaped[i];
            if (c == u'\\' && i + 1 < escaped.size()) {
                const QChar n = escaped[++i];
                c = n == u's' ? QChar(u' ') : n == u'n' ? QChar(u'\n') : n == u't' ? QChar(u'\t') : n;
            }
            value += c;
        }
        keys.insert(line.left(eq), value);
    }
    return keys;
}

// The arguments of an Exec value as a launcher splits them: within quotes a backslash takes the
// next character as it is; then %% is a literal per cent.
QStringList execArguments(const QString &exec)
{
    QStringList args;
    QString current;
    bool quoted = false;
    bool any = false;
    for (qsizetype i = 0; i < exec.size(); ++i) {
        const QChar c = exec[i];
        if (quoted && c == u'\\' && i + 1 < exec.size()) {
            current += exec[++i];
        } else if (c == u'"') {
            quoted = !quoted;
            any = true;
        } else if (c == u'%' && i + 1 < exec.size()) {
            const QChar code = exec[++i];
            if (code == u'%')
                current += code;
        } else if (c == u' ' && !quoted) {
            if (any || !current.isEmpty())
                args << current;
            current.clear();
            any = false;
        } else {
            current += c;
        }
    }
    if (any || !current.isEmpty())
        args << current;
    return args;
}

} // namespace

class tst_DesktopEntry : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void installsEntryAndIcons_data();
    void installsEntryAndIcons();
    void entryPassesTheValidator();
    void aRealLauncherStartsTheProgram_data();
    void aRealLauncherStartsTheProgram();
    void uninstallLeavesTheProgramFolder();
    void refusesWhatNoEntryCanStart_data();
    void refusesWhatNoEntryCanStart();

private:
    Run install(const QStringList &args) const;
    QString makeProgram(const QString &folderName) const;
    QString entryFile() const { return m_home->filePath(QStringLiteral("share/applications/callistro.desktop")); }
    QString iconFile(const QString &relative) const
    {
        return m_home->filePath(QStringLiteral("share/icons/hicolor/") + relative);
    }

    std::unique_ptr<QTemporaryDir> m_home;
};

void tst_DesktopEntry::init()
{
    m_home = std::make_unique<QTemporaryDir>();
    QVERIFY(m_home->isValid());
}

Run tst_DesktopEntry::install(const QStringList &args) const
{
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("XDG_DATA_HOME"), m_home->filePath(QStringLiteral("share")));
    env.insert(QStringLiteral("HOME"), m_home->filePath(QStringLiteral("home")));
    p.setProcessEnvironment(env);
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start(QStringLiteral(INSTALL_SCRIPT), args);
    if (!p.waitForFinished(30000))
        return {};
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1, QString::fromUtf8(p.readAll())};
}

QString tst_DesktopEntry::makeProgram(const QString &folderName) const
{
    const QString folder = m_home->filePath(folderName);
    if (!QDir().mkpath(folder))
        return {};
    QFile program(folder + QStringLiteral("/callistro"));
    if (!program.open(QIODevice::WriteOnly) || program.write("#!/bin/sh\n") < 0)
        return {};
    program.setPermissions(program.permissions() | QFileDevice::ExeOwner);
    return program.fileName();
}

void tst_DesktopEntry::installsEntryAndIcons_data()
{
    QTest::addColumn<QString>("folder");
    QTest::newRow("plain") << QStringLiteral("Callistro");
    QTest::newRow("blanks") << QStringLiteral("Archivio chiamate/Callistro 2");
    QTest::newRow("shell characters") << QStringLiteral("a$b`c\"d\\e'f");
    QTest::newRow("accents") << QStringLiteral("Località");
}

void tst_DesktopEntry::installsEntryAndIcons()
{
    QFETCH(QString, folder);
    const QString program = makeProgram(folder);
    QVERIFY(!program.isEmpty());
    const Run run = install({program, QStringLiteral(ICON_FOLDER)});
    QVERIFY2(run.exitCode == 0, qPrintable(run.output));

    const QMap<QString, QString> entry = readEntry(entryFile());
    QCOMPARE(entry.value(QStringLiteral("Type")), QStringLiteral("Application"));
    QCOMPARE(entry.value(QStringLiteral("Name")), QStringLiteral("Callistro"));
    QCOMPARE(entry.value(QStringLiteral("GenericName")), QStringLiteral("Chiamate di assistenza tecnica"));
    QVERIFY(entry.value(QStringLiteral("Comment")).contains(QStringLiteral("chiamate di assistenza")));
    QCOMPARE(entry.value(QStringLiteral("Icon")), QStringLiteral("callistro"));
    QCOMPARE(entry.value(QStringLiteral("Categories")), QStringLiteral("Office;"));
    QCOMPARE(entry.value(QStringLiteral("Terminal")), QStringLiteral("false"));
    QCOMPARE(execArguments(entry.value(QStringLiteral("Exec"))), QStringList{program});

    QCOMPARE(readAll(iconFile(QStringLiteral("scalable/apps/callistro.svg"))), readAll(QStringLiteral(ICON_SOURCE)));
    for (int size : {48, 256}) {
        const QImage icon(iconFile(QStringLiteral("%1x%1/apps/callistro.png").arg(size)));
        QCOMPARE(icon.size(), QSize(size, size));
        QCOMPARE(icon.pixelColor(size / 2, size / 2).alpha(), 255);
    }
}

void tst_DesktopEntry::entryPassesTheValidator()
{
    const QString validator = QStandardPaths::findExecutable(QStringLiteral("desktop-file-validate"));
    if (validator.isEmpty())
        QSKIP("desktop-file-validate is not installed (package desktop-file-utils)");
    for (const QString &folder : {QStringLiteral("Callistro"), QStringLiteral("a b$c`d\"e\\f'g")}) {
        const QString program = makeProgram(folder);
        QVERIFY(!program.isEmpty());
        const Run run = install({program, QStringLiteral(ICON_FOLDER)});
        QVERIFY2(run.exitCode == 0, qPrintable(run.output));
        QProcess p;
        p.setProcessChannelMode(QProcess::MergedChannels);
        p.start(validator, {entryFile()});
        QVERIFY(p.waitForFinished(30000));
        const QByteArray said = p.readAll();
        QVERIFY2(p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0, said.constData());
        QVERIFY2(said.isEmpty(), said.constData());
    }
}

void tst_DesktopEntry::aRealLauncherStartsTheProgram_data()
{
    installsEntryAndIcons_data();
}

void tst_DesktopEntry::aRealLauncherStartsTheProgram()
{
    QFETCH(QString, folder);
    const QString gio = QStandardPaths::findExecutable(QStringLiteral("gio"));
    if (gio.isEmpty())
        QSKIP("gio is not installed (package libglib2.0-bin)");
    const QString program = makeProgram(folder);
    QVERIFY(!program.isEmpty());
    // The stand-in writes down the path it was started by.
    QFile script(program);
    QVERIFY(script.open(QIODevice::WriteOnly | QIODevice::Truncate));
    script.write("#!/bin/sh\nprintf '%s' \"$0\" > \"${0%/*}/started\"\n");
    script.close();
    QCOMPARE(install({program, QStringLiteral(ICON_FOLDER)}).exitCode, 0);

    QProcess launcher;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("XDG_DATA_HOME"), m_home->filePath(QStringLiteral("share")));
    launcher.setProcessEnvironment(env);
    launcher.setProcessChannelMode(QProcess::MergedChannels);
    launcher.start(gio, {QStringLiteral("launch"), entryFile()});
    QVERIFY(launcher.waitForFinished(30000));
    QVERIFY2(launcher.exitCode() == 0, launcher.readAll().constData());
    const QString started = QFileInfo(program).absolutePath() + QStringLiteral("/started");
    QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(started), 10000);
    QTRY_COMPARE_WITH_TIMEOUT(QString::fromUtf8(readAll(started)), program, 10000);
}

void tst_DesktopEntry::uninstallLeavesTheProgramFolder()
{
    const QString program = makeProgram(QStringLiteral("Mio Callistro"));
    QVERIFY(!program.isEmpty());
    const QString archive = QFileInfo(program).absolutePath() + QStringLiteral("/Chasdata.dat");
    QFile file(archive);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.close();
    QCOMPARE(install({program, QStringLiteral(ICON_FOLDER)}).exitCode, 0);
    QVERIFY(QFile::exists(entryFile()));

    const Run run = install({QStringLiteral("--uninstall")});
    QCOMPARE(run.exitCode, 0);
    QVERIFY(!QFile::exists(entryFile()));
    for (const char *icon : {"scalable/apps/callistro.svg", "48x48/apps/callistro.png", "256x256/apps/callistro.png"})
        QVERIFY2(!QFile::exists(iconFile(QLatin1String(icon))), icon);
    QVERIFY(QFile::exists(program));
    QVERIFY(QFile::exists(archive));
    QVERIFY2(run.output.contains(QStringLiteral("The program folder %1, with the archive Chasdata.dat, is left in place.")
                                     .arg(QFileInfo(program).absolutePath())),
             qPrintable(run.output));

    // Nothing left to remove is no error.
    QCOMPARE(install({QStringLiteral("--uninstall")}).exitCode, 0);
}

void tst_DesktopEntry::refusesWhatNoEntryCanStart_data()
{
    QTest::addColumn<QString>("program");
    QTest::newRow("relative") << QStringLiteral("Callistro/callistro");
    QTest::newRow("missing") << QStringLiteral("/nonexistent/Callistro/callistro");
    QTest::newRow("line break") << QStringLiteral("\nline");
    QTest::newRow("per cent") << QStringLiteral("%100");
}

void tst_DesktopEntry::refusesWhatNoEntryCanStart()
{
    QFETCH(QString, program);
    if (program.startsWith(u'\n') || program.startsWith(u'%')) {
        program = makeProgram(QStringLiteral("two") + program);
        QVERIFY(!program.isEmpty());
    }
    const Run run = install({program, QStringLiteral(ICON_FOLDER)});
    QCOMPARE(run.exitCode, 2);
    QVERIFY(!QFile::exists(entryFile()));
}

QTEST_GUILESS_MAIN(tst_DesktopEntry)
#include "tst_desktopentry.moc"
