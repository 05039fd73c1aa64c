#pragma once

#include <QString>
#include <memory>

class TDM1;
class TerminationSignals;
class TFFINFO;
class TFMFSCAD;
class TFFMAIN;

// The program's components in their order: the data module, then the windows. Start-up creates
// them, shutdown destroys them in reverse order, the data module (and with it the writing of the
// archive) last. Errors of either end in the standard error box and the rest goes on.
class Program
{
public:
    // executablePath: where the program folder is taken from; empty for the running executable.
    explicit Program(const QString &executablePath = QString());
    ~Program();

    // A box of the start-up that a termination signal closed is followed by no other.
    void startUp(const TerminationSignals *termination = nullptr);
    void shutDown();
    // The program ends because a signal asked it to: no one is there to answer a box, so what
    // goes wrong at the end is said on standard error.
    void setEndingOnSignal(bool on) { m_endingOnSignal = on; }

private:
    void destroyDataModuleReportingOnStandardError();

    QString m_executablePath;
    bool m_endingOnSignal = false;
    std::unique_ptr<TDM1> m_dataModule;
    std::unique_ptr<TFFMAIN> m_mainWindow;
    std::unique_ptr<TFMFSCAD> m_editor;
    std::unique_ptr<TFFINFO> m_informationWindow;
};

// The main block: the application object, the program, the message loop. Returns the exit code.
int runProgram(int argc, char **argv);
