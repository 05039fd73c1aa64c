#include "platform/editors/BevelPanel.h"
#include "platform/editors/CaptionBox.h"
#include "platform/editors/HyperLinkEdit.h"

#include "tests/support/AccessibilityOn.h"

#include <QAccessible>
#include <QSignalSpy>
#include <QTest>

namespace {

struct Heard
{
    QAccessible::Event type;
    QString name;
};

std::vector<Heard> heard;

void listen(QAccessibleEvent *event)
{
    QAccessibleInterface *iface = event->accessibleInterface();
    heard.push_back({event->type(), iface ? iface->text(QAccessible::Name) : QString()});
}

bool heardName(const QString &name)
{
    return std::any_of(heard.begin(), heard.end(),
                       [&name](const Heard &h) { return h.type == QAccessible::NameChanged && h.name == name; });
}

} // namespace

class TestEditorAccessible : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void panelIsNamedByItsCaption_data();
    void panelIsNamedByItsCaption();
    void panelTellsANewCaption();
    void captionBoxIsNamedByItsText();
    void linkExposesItsAddressAndOpensOnPress();
};

void TestEditorAccessible::initTestCase()
{
    QAccessible::installUpdateHandler(listen);
    QVERIFY(switchAccessibilityOn());
}

void TestEditorAccessible::init()
{
    heard.clear();
}

void TestEditorAccessible::panelIsNamedByItsCaption_data()
{
    QTest::addColumn<QString>("caption");
    QTest::addColumn<bool>("withChild");
    QTest::addColumn<QString>("accessibleName");
    QTest::addColumn<int>("role");
    QTest::addColumn<QString>("name");
    QTest::newRow("caption") << "Ch.Assistenza" << false << "" << int(QAccessible::StaticText) << "Ch.Assistenza";
    QTest::newRow("caption over children") << "Versione free 1.0" << true << "" << int(QAccessible::Pane) << "Versione free 1.0";
    QTest::newRow("plain pane") << "" << true << "" << int(QAccessible::Pane) << "";
    QTest::newRow("a name of its own wins") << "Ch.Assistenza" << false << "Titolo" << int(QAccessible::StaticText) << "Titolo";
}

void TestEditorAccessible::panelIsNamedByItsCaption()
{
    QFETCH(QString, caption);
    QFETCH(bool, withChild);
    QFETCH(QString, accessibleName);
    QFETCH(int, role);
    QFETCH(QString, name);
    BevelPanel panel;
    panel.setCaption(caption);
    panel.setAccessibleName(accessibleName);
    if (withChild)
        new QWidget(&panel);
    QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(&panel);
    QVERIFY(iface);
    QCOMPARE(int(iface->role()), role);
    QCOMPARE(iface->text(QAccessible::Name), name);
    QCOMPARE(iface->childCount(), withChild ? 1 : 0);
}

void TestEditorAccessible::panelTellsANewCaption()
{
    BevelPanel panel;
    panel.setCaption(QStringLiteral("Versione free 1.0"));
    QVERIFY(heardName(QStringLiteral("Versione free 1.0")));
    QCOMPARE(QAccessible::queryAccessibleInterface(&panel)->text(QAccessible::Name), QStringLiteral("Versione free 1.0"));
}

void TestEditorAccessible::captionBoxIsNamedByItsText()
{
    CaptionBox box;
    box.setText(QStringLiteral(">>CHIAMATA DA ESPLETARE<<"));
    QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(&box);
    QCOMPARE(iface->role(), QAccessible::StaticText);
    QCOMPARE(iface->text(QAccessible::Name), QStringLiteral(">>CHIAMATA DA ESPLETARE<<"));
    heard.clear();
    box.setText(QStringLiteral(">>CHIAMATA ESPLETATA<<"));
    QCOMPARE(iface->text(QAccessible::Name), QStringLiteral(">>CHIAMATA ESPLETATA<<"));
    QVERIFY(heardName(QStringLiteral(">>CHIAMATA ESPLETATA<<")));
}

void TestEditorAccessible::linkExposesItsAddressAndOpensOnPress()
{
    HyperLinkEdit link;
    QSignalSpy opened(&link, &HyperLinkEdit::activated);
    QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(&link);
    QCOMPARE(iface->role(), QAccessible::Link);
    QVERIFY(iface->actionInterface());
    QVERIFY(iface->actionInterface()->actionNames().isEmpty()); // nothing to open yet

    link.setText(QStringLiteral("https://callistro.example.org"));
    QVERIFY(heardName(QStringLiteral("https://callistro.example.org")));
    QCOMPARE(iface->text(QAccessible::Name), QStringLiteral("https://callistro.example.org"));
    QCOMPARE(iface->text(QAccessible::Value), QStringLiteral("https://callistro.example.org"));
    QVERIFY(iface->state().linked);
    QCOMPARE(iface->actionInterface()->actionNames(), QStringList{QAccessibleActionInterface::pressAction()});
    iface->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    QCOMPARE(opened.size(), 1);
    QCOMPARE(opened.first().first().toString(), QStringLiteral("https://callistro.example.org"));
}

QTEST_MAIN(TestEditorAccessible)
#include "tst_editoraccessible.moc"
