#include "CalStart.h"

#include "UFMINFO.h"
#include "app/ShellOpen.h"
#include "data/UDM1.h"

#include <QFileInfo>
#include <QPushButton>
#include <QVBoxLayout>

TFFMAIN *FFMAIN = nullptr;

TFFMAIN::TFFMAIN(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("FFMAIN"));
    setWindowTitle(QStringLiteral("  CALLISTRO - Chiamate di assistenza tecnica (Versione freeware 1.0)   "));
    resize(966, 587);
    auto *layout = new QVBoxLayout(this);
    BBEsci = new QPushButton(QStringLiteral("Esci"), this);
    BBEsci->setObjectName(QStringLiteral("BBEsci"));
    BBEsci->setFixedSize(121, 33);
    layout->addWidget(BBEsci, 0, Qt::AlignRight | Qt::AlignTop);
    connect(BBEsci, &QPushButton::clicked, this, &TFFMAIN::BBEsciClick);

    BBHelp = new QPushButton(QStringLiteral("?"), this);
    BBHelp->setObjectName(QStringLiteral("BBHelp"));
    BBHelp->setGeometry(8, 8, 73, 21);
    BBHelp->setVisible(false);
    connect(BBHelp, &QPushButton::clicked, this, &TFFMAIN::BBHelpClick);
    BBInforma = new QPushButton(QStringLiteral("i"), this);
    BBInforma->setObjectName(QStringLiteral("BBInforma"));
    BBInforma->setGeometry(96, 8, 65, 21);
    BBInforma->setVisible(false);
    connect(BBInforma, &QPushButton::clicked, this, &TFFMAIN::BBInformaClick);
}

void TFFMAIN::BBEsciClick()
{
    close();
}

void TFFMAIN::BBHelpClick()
{
    openDocument(QStringLiteral("calhelp.pdf"));
}

void TFFMAIN::BBInformaClick()
{
    openDocument(QStringLiteral("calinfo.pdf"));
}

void TFFMAIN::openDocument(const QString &name)
{
    if (QFileInfo(ProgramFolder + name).isFile())
        ShellOpen(name, QString(), ProgramFolder, ShowNormal);
    else if (FFINFO)
        FFINFO->exec();
}
