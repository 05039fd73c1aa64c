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

    QPushButton *BBEsci;
};

extern TFFMAIN *FFMAIN;
