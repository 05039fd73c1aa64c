// Thousands of random commands through the real windows, mirrored on a plain model of the
// archive; the program is ended and started again every few hundred commands, and each time the
// archive it wrote must hold exactly the model's calls.
//   CALLISTRO_SOAK_COMMANDS (default 2000) and CALLISTRO_SOAK_SEED (default 1) lengthen or vary it;
//   a long run also wants QTEST_FUNCTION_TIMEOUT (milliseconds) above its five-minute default.
#include "app/CallistroApplication.h"
#include "app/Program.h"
#include "data/UDM1.h"
#include "platform/editors/DBEdit.h"
#include "platform/editors/MessageBoxes.h"
#include "platform/editors/OfficeButton.h"
#include "platform/grid/GridBandedTableView.h"
#include "platform/memdata/MemTable.h"
#include "ui/CalStart.h"
#include "ui/UFMFSCAD.h"

#include <QApplication>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <functional>
#include <memory>

namespace {

struct Call {
    QString name;
    QString phone;
};

int setting(const char *name, int fallback)
{
    bool ok = false;
    const int v = qEnvironmentVariableIntValue(name, &ok);
    return ok && v > 0 ? v : fallback;
}

// Runs driver once the editor is up in its modal loop, and closes a dialog left open afterwards.
// A command that opens no editor (Modifica on an empty archive) leaves its driver unused: the
// guard's end stops it from running in a later command's editor.
class WhileEditorOpen
{
public:
    explicit WhileEditorOpen(std::function<void()> driver) : m_alive(std::make_shared<bool>(true))
    {
        schedule(std::move(driver), m_alive);
    }
    ~WhileEditorOpen() { *m_alive = false; }

private:
    static void schedule(std::function<void()> driver, std::shared_ptr<bool> alive)
    {
        QTimer::singleShot(0, qApp, [driver = std::move(driver), alive] {
            if (!*alive)
                return;
            if (!FMFSCAD->isVisible() || QApplication::activeModalWidget() != FMFSCAD) {
                schedule(driver, alive);
                return;
            }
            *alive = false;
            driver();
            if (FMFSCAD->isVisible())
                FMFSCAD->reject();
        });
    }
    std::shared_ptr<bool> m_alive;
};

void typeInto(DBEdit *edit, const QString &text)
{
    edit->setFocus();
    edit->selectAll();
    QTest::keyClicks(edit, text);
}

} // namespace

class tst_Soak : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void soak();

private:
    QString randomText(int minLength, int maxLength, const char *alphabet);
    void insert();
    void modify();
    void cancella();
    void delInTheList();
    void move();
    void restart();
    void checkArchive();
    void checkCursor(const char *after);

    QRandomGenerator m_random;
    std::vector<Call> m_model;
    int m_pos = -1;
    bool m_answerYes = false;
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<Program> m_program;
    int m_commands = 0;
    int m_restarts = 0;
};

QString tst_Soak::randomText(int minLength, int maxLength, const char *alphabet)
{
    const int n = minLength + int(m_random.bounded(maxLength - minLength + 1));
    const int size = int(qstrlen(alphabet));
    QString s;
    for (int i = 0; i < n; ++i)
        s += QLatin1Char(alphabet[m_random.bounded(size)]);
    return s;
}

void tst_Soak::checkCursor(const char *after)
{
    QVERIFY2(DM1->ScadData->recordCount() == int(m_model.size()),
             qPrintable(QString("%1: %2 calls, %3 expected").arg(after).arg(DM1->ScadData->recordCount()).arg(m_model.size())));
    QVERIFY2(DM1->ScadData->currentPosition() == m_pos, after);
    QVERIFY2(DM1->ScadData->state() == MemTable::State::Browse, after);
}

void tst_Soak::insert()
{
    const int count = int(m_random.bounded(4)); // none to three confirmed calls
    const bool dropTyped = m_random.bounded(3) == 0;
    std::vector<Call> entered;
    for (int i = 0; i < count; ++i)
        entered.push_back({randomText(1, 1, "ABCDEFGHIJKLMNOPQRSTUVWXYZ") + randomText(0, 19, "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789 &'"),
                           randomText(0, 12, "0123456789")});
    const bool wasEmpty = m_model.empty();
    const WhileEditorOpen editing([&] {
        for (const Call &c : entered) {
            typeInto(FMFSCAD->EDITRagioneSociale, c.name);
            typeInto(FMFSCAD->EditTelefono1, c.phone);
            QTest::mouseClick(FMFSCAD->BBInserisci, Qt::LeftButton);
        }
        if (dropTyped)
            typeInto(FMFSCAD->EDITRagioneSociale, "NOT CONFIRMED");
        QTest::mouseClick(FMFSCAD->BBEsci, Qt::LeftButton);
    });
    FFMAIN->BBInserisci->click();
    for (const Call &c : entered)
        m_model.push_back(c);
    if (wasEmpty)
        m_pos = m_model.empty() ? -1 : int(m_model.size()) - 1;
    checkCursor("Inserisci");
}

void tst_Soak::modify()
{
    const bool confirm = m_random.bounded(2) == 0;
    const QString phone = randomText(1, 12, "0123456789");
    const WhileEditorOpen editing([&] {
        typeInto(FMFSCAD->EditTelefono1, phone);
        QTest::mouseClick(confirm ? FMFSCAD->BBInserisci : FMFSCAD->BBEsci, Qt::LeftButton);
    });
    FFMAIN->BBModifica->click();
    if (confirm && m_pos >= 0)
        m_model[size_t(m_pos)].phone = phone;
    checkCursor("Modifica");
}

void tst_Soak::cancella()
{
    m_answerYes = m_random.bounded(2) == 0;
    FFMAIN->BBCancella->click();
    if (m_answerYes && m_pos >= 0) {
        m_model.erase(m_model.begin() + m_pos);
        m_pos = std::min(m_pos, int(m_model.size()) - 1);
    }
    checkCursor("Cancella");
}

void tst_Soak::delInTheList()
{
    GridBandedTableView *list = FFMAIN->cxGrid1DBTableView1;
    list->setFocus();
    QTest::keyClick(list, Qt::Key_Delete);
    if (m_pos >= 0) {
        m_model.erase(m_model.begin() + m_pos);
        m_pos = std::min(m_pos, int(m_model.size()) - 1);
    }
    checkCursor("Del");
}

void tst_Soak::move()
{
    GridBandedTableView *list = FFMAIN->cxGrid1DBTableView1;
    list->setFocus();
    const int last = int(m_model.size()) - 1;
    switch (m_random.bounded(4)) {
    case 0: QTest::keyClick(list, Qt::Key_Down); m_pos = std::min(m_pos + 1, last); break;
    case 1: QTest::keyClick(list, Qt::Key_Up); m_pos = m_pos < 0 ? m_pos : std::max(m_pos - 1, 0); break;
    case 2: QTest::keyClick(list, Qt::Key_Home, Qt::ControlModifier); m_pos = last < 0 ? -1 : 0; break;
    default: QTest::keyClick(list, Qt::Key_End, Qt::ControlModifier); m_pos = last; break;
    }
    checkCursor("moving in the list");
}

void tst_Soak::checkArchive()
{
    QFile f(m_dir->filePath("Chasdata.dat"));
    QVERIFY(f.open(QIODevice::ReadOnly));
    QList<QByteArray> lines = f.readAll().split('\n');
    QVERIFY(lines.takeLast().isEmpty()); // the last line ends too
    QVERIFY(lines.takeFirst().startsWith("RagioneSociale\tIndirizzo\t"));
    QCOMPARE(lines.size(), qsizetype(m_model.size()));
    for (size_t i = 0; i < m_model.size(); ++i) {
        const QList<QByteArray> values = lines[qsizetype(i)].chopped(1).split('\t');
        QCOMPARE(values.size(), 24);
        QCOMPARE(QString::fromLatin1(values[0]), m_model[i].name);
        QCOMPARE(QString::fromLatin1(values[8]), m_model[i].phone);
    }
}

void tst_Soak::restart()
{
    m_program->shutDown();
    checkArchive();
    m_program = std::make_unique<Program>(m_dir->filePath("callistro"));
    m_program->startUp();
    FFMAIN->show();
    m_pos = m_model.empty() ? -1 : 0;
    ++m_restarts;
    checkCursor("a restart");
}

void tst_Soak::soak()
{
    const int commands = setting("CALLISTRO_SOAK_COMMANDS", 2000);
    m_random.seed(quint32(setting("CALLISTRO_SOAK_SEED", 1)));
    m_dir = std::make_unique<QTemporaryDir>();
    MessageBoxes::setAnswerer([this](MessageBoxes::Kind, const QString &, const QString &) {
        return m_answerYes ? MessageBoxes::Answer::Yes : MessageBoxes::Answer::No;
    });
    m_program = std::make_unique<Program>(m_dir->filePath("callistro"));
    m_program->startUp();
    FFMAIN->show();

    int nextRestart = 100 + int(m_random.bounded(200));
    for (m_commands = 0; m_commands < commands; ++m_commands) {
        const int pick = int(m_random.bounded(100));
        if (pick < 30)
            insert();
        else if (pick < 45)
            modify();
        else if (pick < 55)
            cancella();
        else if (pick < 62)
            delInTheList();
        else
            move();
        if (QTest::currentTestFailed())
            return;
        if (m_commands == nextRestart) {
            restart();
            if (QTest::currentTestFailed())
                return;
            nextRestart += 100 + int(m_random.bounded(200));
        }
    }
    restart();
    m_program.reset();
    MessageBoxes::setAnswerer({});
    qInfo("%d commands, %d restarts, %d calls at the end", m_commands, m_restarts, int(m_model.size()));
}

int main(int argc, char **argv)
{
    CallistroApplication app(argc, argv);
    tst_Soak t;
    return QTest::qExec(&t, argc, argv);
}
#include "tst_soak.moc"
