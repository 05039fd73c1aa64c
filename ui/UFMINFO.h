#pragma once

#include <QDialog>

class BevelPanel;
class HyperLinkEdit;
class QTextEdit;

// The information window: where the documentation lives, with a link to it.
class TFFINFO : public QDialog
{
    Q_OBJECT

public:
    explicit TFFINFO(QWidget *parent = nullptr);

    static const QString DocumentationAddress;

    BevelPanel *Panel1;
    BevelPanel *Panel3;
    BevelPanel *Panel2;
    QTextEdit *Memo1;
    HyperLinkEdit *cxHyperLinkEdit4;

protected:
    void showEvent(QShowEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
};

extern TFFINFO *FFINFO;
