#pragma once

#include <QDialog>
#include <QString>

class BevelPanel;
class CaptionBox;
class DataSource;
class DBComboBox;
class DBDateEdit;
class DBEdit;
class MemoEdit;
class OfficeButton;
class TextLabel;

// The call editor: a modal dialog that enters calls one after another (insert mode) or changes
// the current call (modify mode). Its bound controls follow the store's current call also while
// it is hidden, and the status and warranty rules run whenever their choice boxes change.
class TFMFSCAD : public QDialog
{
    Q_OBJECT

public:
    enum { emInsert = 1, emModify = 2 };
    enum { mrOk = 1, mrCancel = 2 };

    explicit TFMFSCAD(QWidget *parent = nullptr);
    ~TFMFSCAD() override;

    void OpenForInsert();
    void OpenForModify();

    void FormShow(QObject *Sender);
    void FormClose(QObject *Sender);
    void Button1Click(QObject *Sender);
    void Button2Click(QObject *Sender);
    void DBComboBox3KeyDown(QObject *Sender, int &Key, Qt::KeyboardModifiers Shift);
    void CBEspletataPropertiesChange(QObject *Sender);
    void CBInGaranziaPropertiesChange(QObject *Sender);
    bool ValidateInput(bool check);

    int EditorMode = 0;
    QString FErrorText;
    QWidget *FErrorControl = nullptr;

    DataSource *DataSource1;

    BevelPanel *Panel2;
    TextLabel *Label9;
    DBComboBox *CBEspletata;
    CaptionBox *DEspletat;
    TextLabel *Label20;
    DBDateEdit *EDataORichiesta;
    TextLabel *Label21;
    DBDateEdit *EDataOIntervento;
    TextLabel *Label4;
    DBEdit *EDITRagioneSociale;
    TextLabel *Label7;
    DBEdit *EDITINDIRIZZO;
    TextLabel *Label6;
    DBEdit *EDITCAP;
    DBEdit *EDITLOCALITA;
    DBEdit *EDITPR;
    TextLabel *Label18;
    DBEdit *EDITPIVA;
    DBEdit *EDITCFISCALE;
    TextLabel *Label1;
    DBEdit *EDITRif1;
    DBEdit *EditTelefono1;
    TextLabel *Label2;
    DBEdit *EDITFax1;
    TextLabel *Label5;
    DBEdit *EDITEMAIL1;
    TextLabel *Label3;
    DBEdit *EProduttore;
    TextLabel *Label11;
    DBEdit *EDistributore;
    TextLabel *Label19;
    DBEdit *ETipoArticolo;
    TextLabel *Label22;
    DBEdit *EArticolo;
    TextLabel *Label10;
    DBEdit *EMatricola;
    TextLabel *Label23;
    DBDateEdit *EDataAcq;
    TextLabel *Label24;
    DBComboBox *CBInGaranzia;
    CaptionBox *DInGaranzia;
    TextLabel *Label17;
    MemoEdit *MENote;
    TextLabel *Label8;
    MemoEdit *MENote1;
    BevelPanel *Panel4;
    OfficeButton *BBInserisci;
    OfficeButton *BBEsci;

    void done(int result) override;
    void reject() override;

protected:
    void showEvent(QShowEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void createControls();
    void bindControls();
    void setTabOrder();
    void setStatusStates(bool toDo);
    bool canTakeFocus(const QWidget *control) const;
    void centreOnScreen();

    QList<QWidget *> m_insertKeyEdits;
    bool m_keyInFlight = false;
    quint64 m_openings = 0;
};

extern TFMFSCAD *FMFSCAD;
