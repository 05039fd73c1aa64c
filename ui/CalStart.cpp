#include "CalStart.h"

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
}

void TFFMAIN::BBEsciClick()
{
    close();
}
