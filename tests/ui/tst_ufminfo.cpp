#include "app/ShellOpen.h"
#include "data/UDM1.h"
#include "platform/editors/BevelPanel.h"
#include "platform/editors/HyperLinkEdit.h"
#include "ui/CalStart.h"
#include "ui/UFMINFO.h"

#include <QApplication>
#include <QAbstractTextDocumentLayout>
#include <QDir>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QScrollBar>
#include <QFile>
#include <QPushButton>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextEdit>
#include <QTimer>

class tst_UFMINFO : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void cleanupTestCase();
    void init();
    void cleanup();
    void window();
    void documents_data();
    void documents();
    void linkOpensOnOneClick();
    void memoShowsItsFourLinesWhole();
    void escapeLeavesItOpen();
    void stripsInTheLightEdgeColour();

private:
    QStringList m_opened;
    QTemporaryDir m_dir;
    std::unique_ptr<TFFMAIN> m_main;
    std::unique_ptr<TFFINFO> m_info;
};

void tst_UFMINFO::initTestCase()
{
    ProgramFolder = m_dir.path() + u'/';
    m_main = std::make_unique<TFFMAIN>();
    FFMAIN = m_main.get();
    m_info = std::make_unique<TFFINFO>();
    FFINFO = m_info.get();
    setShellOpenWatcher([this](const QString &f, const QString &p, const QString &d, int show) {
        m_opened << QStringList{f, p, d, QString::number(show)}.join(u'|');
    });
}

void tst_UFMINFO::cleanupTestCase()
{
    setShellOpenWatcher({});
    FFINFO = nullptr;
    FFMAIN = nullptr;
}

void tst_UFMINFO::init()
{
    m_opened.clear();
}

void tst_UFMINFO::cleanup()
{
    QDir dir(m_dir.path());
    dir.removeRecursively();
    QDir().mkpath(m_dir.path());
}

void tst_UFMINFO::window()
{
    QCOMPARE(FFINFO->windowTitle(), QString("DOCUMENTAZIONE - INFORMATIVE"));
    QVERIFY(FFINFO->isModal());
    FFINFO->show();
    QVERIFY(QTest::qWaitForWindowExposed(FFINFO));
    QCOMPARE(FFINFO->size(), QSize(391, 150)); // 399 x 184 with its frame
    QCOMPARE(FFINFO->Panel1->height(), 9);
    QCOMPARE(FFINFO->Panel2->height(), 39);
    QCOMPARE(FFINFO->Panel3->height(), 102);
    const QStringList lines = FFINFO->Memo1->toPlainText().split(u'\n');
    QCOMPARE(lines, (QStringList{"La documentazione e le informative relative ",
                                 "alle evoluzioni dell'callistro sono residenti",
                                 "nel ns. sito web (causa frequenti", "evoluzioni del software)."}));
    for (QTextBlock b = FFINFO->Memo1->document()->begin(); b.isValid(); b = b.next())
        QCOMPARE(b.blockFormat().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
    QVERIFY(!FFINFO->Memo1->isReadOnly());
    QCOMPARE(FFINFO->Memo1->font().pixelSize(), 19);
    QCOMPARE(FFINFO->Memo1->palette().color(QPalette::Text), QColor(117, 117, 117));
    QCOMPARE(FFINFO->Memo1->palette().color(QPalette::Base), QColor(242, 240, 227));
    QCOMPARE(FFINFO->cxHyperLinkEdit4->geometry(), QRect(57, 8, 272, 24));
    QCOMPARE(FFINFO->cxHyperLinkEdit4->focusPolicy(), Qt::NoFocus);
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    QVERIFY(qAbs(FFINFO->geometry().center().x() - screen.center().x()) <= 1);
    FFINFO->hide();
}

void tst_UFMINFO::documents_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("present"); // what lies in the program folder
    QTest::addColumn<QString>("opened");  // empty: the information window is shown instead
    QTest::newRow("? with the manual") << "BBHelp" << "calhelp.pdf" << "calhelp.pdf";
    QTest::newRow("? without it") << "BBHelp" << "calinfo.pdf" << "";
    QTest::newRow("i with the sheet") << "BBInforma" << "calinfo.pdf" << "calinfo.pdf";
    QTest::newRow("i without it") << "BBInforma" << "calhelp.pdf" << "";
    QTest::newRow("a folder counts as missing") << "BBHelp" << "calhelp.pdf/" << "";
}

void tst_UFMINFO::documents()
{
    QFETCH(QString, button);
    QFETCH(QString, present);
    QFETCH(QString, opened);
    if (present.endsWith(u'/'))
        QVERIFY(QDir(m_dir.path()).mkdir(present.chopped(1)));
    else
        QVERIFY(QFile(m_dir.filePath(present)).open(QIODevice::WriteOnly));

    bool infoShown = false;
    QTimer::singleShot(0, [&] {
        infoShown = QApplication::activeModalWidget() == FFINFO;
        FFINFO->close();
    });
    auto *b = FFMAIN->findChild<QPushButton *>(button);
    QVERIFY(b);
    QVERIFY(!b->isVisible() && !b->isVisibleTo(FFMAIN)); // nothing makes them visible
    b->click();
    if (opened.isEmpty()) {
        QVERIFY(infoShown);
        QVERIFY(m_opened.isEmpty());
    } else {
        QVERIFY(!infoShown);
        QCOMPARE(m_opened, QStringList{opened + "||" + ProgramFolder + "|5"});
    }
    QCoreApplication::processEvents(); // let the pending timer of the opened case run out
}

void tst_UFMINFO::linkOpensOnOneClick()
{
    FFINFO->show();
    QVERIFY(QTest::qWaitForWindowExposed(FFINFO));
    QTest::mouseClick(FFINFO->cxHyperLinkEdit4, Qt::LeftButton);
    QCOMPARE(m_opened, QStringList{TFFINFO::DocumentationAddress + "|||3"});
    QTest::mouseDClick(FFINFO->cxHyperLinkEdit4, Qt::LeftButton);
    QCOMPARE(m_opened.size(), 1); // the second press of a double click opens nothing
    FFINFO->hide();
}

void tst_UFMINFO::memoShowsItsFourLinesWhole()
{
    FFINFO->show();
    QVERIFY(QTest::qWaitForWindowExposed(FFINFO));
    QTextEdit *memo = FFINFO->Memo1;
    QCOMPARE(QFontInfo(memo->font()).family(), QString("Liberation Serif")); // Times New Roman's metrics
    QCOMPARE(QFontInfo(memo->font()).pixelSize(), 19);
    // Each line within the width the memo lays text out in, all four within its height.
    const QFontMetricsF metrics(memo->font());
    const qreal margin = memo->document()->documentMargin();
    const qreal room = memo->viewport()->width() - 2 * margin;
    for (const QString &line : memo->toPlainText().split(u'\n')) {
        const qreal width = metrics.horizontalAdvance(line);
        QVERIFY2(width <= room, qPrintable(QString("%1 > %2: %3").arg(width).arg(room).arg(line)));
    }
    QVERIFY(4 * metrics.lineSpacing() + 2 * margin <= memo->viewport()->height());
    // And so the memo itself: one line a paragraph, nothing to scroll to.
    for (QTextBlock b = memo->document()->begin(); b.isValid(); b = b.next())
        QCOMPARE(b.layout()->lineCount(), 1);
    const QSizeF laidOut = memo->document()->documentLayout()->documentSize();
    QVERIFY2(laidOut.height() <= memo->viewport()->height(), qPrintable(QString::number(laidOut.height())));
    QVERIFY2(memo->document()->idealWidth() <= memo->viewport()->width(), qPrintable(QString::number(memo->document()->idealWidth())));
    QVERIFY(!memo->verticalScrollBar()->isVisible());
    QVERIFY(!memo->horizontalScrollBar()->isVisible());
    QCOMPARE(memo->verticalScrollBar()->maximum(), 0);
    FFINFO->hide();
}

void tst_UFMINFO::escapeLeavesItOpen()
{
    FFINFO->show();
    QVERIFY(QTest::qWaitForWindowExposed(FFINFO));
    FFINFO->Memo1->setFocus();
    QTest::keyClick(FFINFO->Memo1, Qt::Key_Escape);
    QVERIFY(FFINFO->isVisible());
    QTest::keyClick(FFINFO, Qt::Key_Escape);
    QVERIFY(FFINFO->isVisible());
    FFINFO->close(); // the close box
    QVERIFY(!FFINFO->isVisible());
}

void tst_UFMINFO::stripsInTheLightEdgeColour()
{
    const QPalette &pal = FFINFO->palette();
    QVERIFY(pal.color(QPalette::Midlight) != pal.color(QPalette::Light));
    QCOMPARE(FFINFO->Panel1->color(), pal.color(QPalette::Midlight));
    QCOMPARE(FFINFO->Panel2->color(), pal.color(QPalette::Midlight));
    QCOMPARE(FFINFO->Panel3->color(), pal.color(QPalette::Button));
}

QTEST_MAIN(tst_UFMINFO)
#include "tst_ufminfo.moc"
