#include "Program.h"

#include "CallistroApplication.h"
#include "TerminationSignals.h"
#include "data/UDM1.h"
#include "i18n/UCXTRANSLATE.h"
#include "platform/editors/MessageBoxes.h"
#include "ui/CalStart.h"
#include "ui/UFMINFO.h"

#include <QLockFile>
#include <cstdio>
#include <memory>

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

    auto dataModule = std::make_unique<TDM1>();
    DM1 = dataModule.get();
    CallistroApplication::guarded([] { DM1->DataModuleCreate(); });

    auto mainWindow = std::make_unique<TFFMAIN>();
    FFMAIN = mainWindow.get();

    auto informationWindow = std::make_unique<TFFINFO>();
    FFINFO = informationWindow.get();

    if (!termination.requested()) {
        FFMAIN->showMaximized();
        app.exec();
    }

    informationWindow.reset();
    FFINFO = nullptr;
    mainWindow.reset();
    FFMAIN = nullptr;
    CallistroApplication::guarded([] { DM1->DataModuleDestroy(); });
    dataModule.reset();
    DM1 = nullptr;
    return 0;
}
