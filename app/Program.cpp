#include "Program.h"

#include "CallistroApplication.h"
#include "TerminationSignals.h"
#include "data/UDM1.h"
#include "i18n/UCXTRANSLATE.h"
#include "platform/editors/MessageBoxes.h"
#include "ui/CalStart.h"
#include "ui/UFMFSCAD.h"
#include "ui/UFMINFO.h"

#include <QDir>
#include <QFileInfo>
#include <QLockFile>
#include <cstdio>

Program::Program(const QString &executablePath) : m_executablePath(executablePath) {}

Program::~Program()
{
    shutDown();
}

void Program::startUp(const TerminationSignals *termination)
{
    m_dataModule = std::make_unique<TDM1>();
    DM1 = m_dataModule.get();
    if (!m_executablePath.isEmpty())
        DM1->setExecutablePath(m_executablePath);
    CallistroApplication::guarded([] { DM1->DataModuleCreate(); });
    CallistroApplication::guarded([] {
        const QString recovered = DM1->OpenJournal();
        if (!recovered.isEmpty())
            MessageBoxes::showMessage(recovered);
    });
    CallistroApplication::guarded([] {
        const QString problem = DM1->archiveSaveProblem();
        if (!problem.isEmpty())
            MessageBoxes::showError(problem);
    });
    // Before anything is entered: at the end the dates are written back in the current forms.
    const QString regionalWarning = DM1->regionalWarning();
    if (!regionalWarning.isEmpty() && !(termination && termination->requested()))
        MessageBoxes::showMessage(regionalWarning);

    m_mainWindow = std::make_unique<TFFMAIN>();
    FFMAIN = m_mainWindow.get();
    m_editor = std::make_unique<TFMFSCAD>();
    FMFSCAD = m_editor.get();
    m_informationWindow = std::make_unique<TFFINFO>();
    FFINFO = m_informationWindow.get();
}

void Program::shutDown()
{
    m_informationWindow.reset();
    FFINFO = nullptr;
    m_editor.reset();
    FMFSCAD = nullptr;
    m_mainWindow.reset();
    FFMAIN = nullptr;
    if (m_dataModule) {
        if (m_endingOnSignal)
            destroyDataModuleReportingOnStandardError();
        else
            CallistroApplication::guarded([] { DM1->DataModuleDestroy(); });
        m_dataModule.reset();
        DM1 = nullptr;
    }
}

void Program::destroyDataModuleReportingOnStandardError()
{
    QString message;
    try {
        DM1->DataModuleDestroy();
        return;
    } catch (const std::exception &e) {
        message = QString::fromUtf8(e.what());
    } catch (...) {
        message = QStringLiteral("Unknown error");
    }
    message = MessageBoxes::withFullStop(message);
    const QString journal = DM1->journalFileName();
    if (QFileInfo::exists(journal))
        message += QStringLiteral(" Le modifiche di questa sessione restano nel giornale \"%1\".").arg(QDir::toNativeSeparators(journal));
    std::fprintf(stderr, "%s\n", qUtf8Printable(message));
    std::fflush(stderr);
}

namespace {

bool displayAvailable()
{
    return !qEnvironmentVariableIsEmpty("DISPLAY") || !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")
           || !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM");
}

} // namespace

int runProgram(int argc, char **argv)
{
    if (!displayAvailable()) {
        std::fputs("Callistro needs a graphical display, and none was found (DISPLAY is not set).\n", stderr);
        return 1;
    }

    // Before any window exists, so every grid and dialog shows the Italian texts.
    installComponentTexts();

    CallistroApplication app(argc, argv);
    TerminationSignals termination;

    // Two copies on one folder would each write their own calls over the other's at the end.
    QLockFile lock(TDM1::folderOf(QCoreApplication::applicationFilePath()) + QStringLiteral("Chasdata.lock"));
    lock.setStaleLockTime(0);
    if (!lock.tryLock(0) && lock.error() == QLockFile::LockFailedError) {
        MessageBoxes::showMessage(QStringLiteral("L'archivio di questa cartella e' gia' in uso da un'altra copia "
                                                 "di Callistro: questa copia si chiude senza leggerlo ne' scriverlo."));
        return 1;
    }

    Program program;
    program.startUp(&termination);
    if (!termination.requested()) {
        FFMAIN->showMaximized();
        app.exec();
    }
    program.setEndingOnSignal(termination.requested());
    program.shutDown();
    return 0;
}
