#pragma once

#include <QWidget>

class QPushButton;

// The main window.
class TFFMAIN : public QWidget
{
    Q_OBJECT

public:
    explicit TFFMAIN(QWidget *parent = nullptr);

    void BBEsciClick();
    void BBHelpClick();
    void BBInformaClick();

    // The show commands passed to the desktop: as it is, and maximised.
    static constexpr int ShowNormal = 5;
    static constexpr int ShowMaximized = 3;

    QPushButton *BBEsci;
    QPushButton *BBHelp;
    QPushButton *BBInforma;

private:
    void openDocument(const QString &name);
};

extern TFFMAIN *FFMAIN;
