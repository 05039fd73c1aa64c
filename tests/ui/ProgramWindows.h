#pragma once

#include "data/UDM1.h"
#include "ui/CalStart.h"
#include "ui/UFMFSCAD.h"
#include "ui/UFMINFO.h"

#include <QString>
#include <memory>

// The data module and the three windows, made in the program's order and put away in reverse,
// with the instances through which they reach each other.
class ProgramWindows
{
public:
    explicit ProgramWindows(const QString &executablePath)
    {
        m_dm = std::make_unique<TDM1>();
        DM1 = m_dm.get();
        m_dm->setExecutablePath(executablePath);
        m_dm->DataModuleCreate();
        m_main = std::make_unique<TFFMAIN>();
        FFMAIN = m_main.get();
        m_editor = std::make_unique<TFMFSCAD>();
        FMFSCAD = m_editor.get();
        m_info = std::make_unique<TFFINFO>();
        FFINFO = m_info.get();
    }

    ~ProgramWindows()
    {
        m_info.reset();
        FFINFO = nullptr;
        m_editor.reset();
        FMFSCAD = nullptr;
        m_main.reset();
        FFMAIN = nullptr;
        m_dm.reset();
        DM1 = nullptr;
    }

    ProgramWindows(const ProgramWindows &) = delete;
    ProgramWindows &operator=(const ProgramWindows &) = delete;

private:
    std::unique_ptr<TDM1> m_dm;
    std::unique_ptr<TFFMAIN> m_main;
    std::unique_ptr<TFMFSCAD> m_editor;
    std::unique_ptr<TFFINFO> m_info;
};
