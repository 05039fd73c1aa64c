#include "UFMINFO.h"

#include "app/ShellOpen.h"
#include "platform/editors/BevelPanel.h"
#include "platform/editors/CommandGuard.h"
#include "platform/editors/FontFaces.h"
#include "platform/editors/HyperLinkEdit.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QScreen>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextEdit>
#include <QVBoxLayout>

TFFINFO *FFINFO = nullptr;

namespace {
constexpr int ShowMaximized = 3;
}

const QString TFFINFO::DocumentationAddress = QStringLiteral("http://callistro.example/documentazione");

namespace {

BevelPanel *panel(QWidget *parent, const char *name, BevelPanel::Bevel inner, BevelPanel::Bevel outer, QPalette::ColorRole role)
{
    auto *p = new BevelPanel(parent);
    p->setObjectName(QString::fromLatin1(name));
    p->setBevels(inner, outer);
    p->setColor(parent->palette().color(role));
    return p;
}

} // namespace

TFFINFO::TFFINFO(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("FFINFO"));
    setWindowTitle(QStringLiteral("DOCUMENTAZIONE - INFORMATIVE"));
    setModal(true);
    setFont(FontFaces::font(QStringLiteral("MS Sans Serif"), 11));
    resize(391, 150);

    using B = BevelPanel::Bevel;
    Panel1 = panel(this, "Panel1", B::Raised, B::Lowered, QPalette::Midlight);
    Panel1->setFixedHeight(9);
    Panel3 = panel(this, "Panel3", B::Lowered, B::Raised, QPalette::Button);
    Panel2 = panel(this, "Panel2", B::Raised, B::Lowered, QPalette::Midlight);
    Panel2->setFixedHeight(39);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(Panel1);
    layout->addWidget(Panel3, 1);
    layout->addWidget(Panel2);

    Memo1 = new QTextEdit(Panel3);
    Memo1->setObjectName(QStringLiteral("Memo1"));
    Memo1->setAcceptRichText(false);
    Memo1->setFrameShape(QFrame::Panel);
    Memo1->setFrameShadow(QFrame::Raised);
    Memo1->setFont(FontFaces::font(QStringLiteral("Times New Roman"), 19));
    // The four lines are laid out to fit whole: no wrapping, no scroll bars.
    Memo1->setLineWrapMode(QTextEdit::NoWrap);
    Memo1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    QPalette pal = Memo1->palette();
    pal.setColor(QPalette::Base, QColor(242, 240, 227));
    pal.setColor(QPalette::Text, QColor(117, 117, 117));
    Memo1->setPalette(pal);
    Memo1->setPlainText(QStringLiteral("La documentazione e le informative relative \n"
                                       "alle evoluzioni dell'callistro sono residenti\n"
                                       "nel ns. sito web (causa frequenti\n"
                                       "evoluzioni del software)."));
    QTextCursor cursor(Memo1->document());
    cursor.select(QTextCursor::Document);
    QTextBlockFormat centred;
    centred.setAlignment(Qt::AlignHCenter);
    cursor.mergeBlockFormat(centred);
    auto *memoLayout = new QVBoxLayout(Panel3);
    const int m = Panel3->frameWidth();
    memoLayout->setContentsMargins(m, m, m, m);
    memoLayout->addWidget(Memo1);

    cxHyperLinkEdit4 = new HyperLinkEdit(Panel2);
    cxHyperLinkEdit4->setObjectName(QStringLiteral("cxHyperLinkEdit4"));
    cxHyperLinkEdit4->setGeometry(57, 8, 272, 24);
    cxHyperLinkEdit4->setShadow(true);
    cxHyperLinkEdit4->setText(DocumentationAddress);
    connect(cxHyperLinkEdit4, &HyperLinkEdit::activated, this, [](const QString &address) {
        CommandGuard::run([&address] { ShellOpen(address, QString(), QString(), ShowMaximized); });
    });
}

void TFFINFO::showEvent(QShowEvent *event)
{
    // Centred on the screen each time it opens, whatever window is active.
    if (const QScreen *screen = QGuiApplication::primaryScreen()) {
        QRect frame = frameGeometry();
        frame.moveCenter(screen->availableGeometry().center());
        move(frame.topLeft());
    }
    QDialog::showEvent(event);
}

void TFFINFO::keyPressEvent(QKeyEvent *event)
{
    // The window has no button to cancel with: only its close box closes it.
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}
