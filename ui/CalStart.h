#pragma once

#include <QWidget>

class BevelPanel;
class GridBandedTableView;
class GridControl;
class GridLevel;
class GridStyle;
class GridStyleRepository;
class HyperLinkEdit;
class OfficeButton;
class QLabel;
class QMenu;
class QAction;
class SplitDropDownButton;

// The main window: the call list and the column of commands beside it.
class TFFMAIN : public QWidget
{
    Q_OBJECT

public:
    explicit TFFMAIN(QWidget *parent = nullptr);
    ~TFFMAIN() override;

    void FormShow();
    void BBInserisciClick();
    void BBModificaClick();
    void BBCancellaClick();
    void BBEsciClick();
    void StampaHTMLselezione1Click();
    void StampaHTMLSelezione2Click();
    void BBHelpClick();
    void BBInformaClick();

    // The show commands passed to the desktop: as it is, and maximised.
    static constexpr int ShowNormal = 5;
    static constexpr int ShowMaximized = 3;
    static const QString MakerAddress;
    static const QString MakerCredit;

    BevelPanel *Panel1;
    QLabel *Image1;
    BevelPanel *Panel8;
    BevelPanel *Panel9;
    BevelPanel *Panel10;
    BevelPanel *Panel2;
    BevelPanel *Panel7;
    OfficeButton *BBHelp;
    OfficeButton *BBInforma;
    BevelPanel *StaticText2;
    BevelPanel *Panel4;
    HyperLinkEdit *cxHyperLinkEdit3;
    BevelPanel *StaticText1;
    BevelPanel *Panel3;
    BevelPanel *Panel6;
    GridControl *cxGrid1;
    GridLevel *cxGrid1Level1;
    GridBandedTableView *cxGrid1DBTableView1;
    GridStyleRepository *cxStyleRepository1;
    GridStyle *cxStyle1;
    GridStyle *cxStyle3;
    GridStyle *cxStyle10;
    GridStyle *cxStyle13;
    GridStyle *cxStyle14;
    BevelPanel *Panel5;
    OfficeButton *BBInserisci;
    OfficeButton *BBModifica;
    OfficeButton *BBCancella;
    SplitDropDownButton *BBStampa;
    OfficeButton *BBEsci;
    QMenu *PopupMenu1;
    QAction *StampaHTMLselezione1;
    QAction *StampaHTMLSelezione2;

protected:
    void showEvent(QShowEvent *event) override;

private:
    void createTopBar();
    void createBottomBar();
    void createWorkArea();
    void createCommands();
    void createGrid();
    void createStyles();
    void createColumns();
    bool hasCurrentCall() const;
    void printHtml(bool allRows);
    // The line above the printed table: what it is, when, how many calls and under which filter.
    QString printHeading(bool allRows) const;
    void openDocument(const QString &name);
};

extern TFFMAIN *FFMAIN;
