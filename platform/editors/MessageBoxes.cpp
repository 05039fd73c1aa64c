#include "MessageBoxes.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>

namespace {

MessageBoxes::Answerer &answerer()
{
    static MessageBoxes::Answerer instance;
    return instance;
}

} // namespace

QString MessageBoxes::titleFromExecutable(const QString &fileName)
{
    const QString name = QFileInfo(fileName).fileName().section(u'.', 0, 0);
    return name.left(1) + name.mid(1).toLower();
}

QString MessageBoxes::applicationTitle()
{
    return titleFromExecutable(QCoreApplication::applicationFilePath());
}

QString MessageBoxes::withFullStop(const QString &text)
{
    return text.isEmpty() || text.endsWith(u'.') ? text : text + u'.';
}

void MessageBoxes::setAnswerer(Answerer a)
{
    answerer() = std::move(a);
}

MessageBoxes::Answer MessageBoxes::show(Kind kind, const QString &caption, const QString &text, QWidget *parent)
{
    if (answerer())
        return answerer()(kind, caption, text);
    QMessageBox box(parent);
    box.setWindowTitle(caption);
    box.setText(text);
    switch (kind) {
    case Kind::Error:
        box.setObjectName(QStringLiteral("ErrorBox"));
        box.setIcon(QMessageBox::Critical);
        box.setStandardButtons(QMessageBox::Ok);
        break;
    case Kind::Plain:
        box.setObjectName(QStringLiteral("MessageBox"));
        box.setIcon(QMessageBox::NoIcon);
        box.setStandardButtons(QMessageBox::Ok);
        break;
    case Kind::Confirmation:
        box.setObjectName(QStringLiteral("ConfirmationBox"));
        box.setIcon(QMessageBox::Question);
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box.button(QMessageBox::Yes)->setText(QStringLiteral("&Yes"));
        box.button(QMessageBox::No)->setText(QStringLiteral("&No"));
        box.setDefaultButton(QMessageBox::Yes);
        box.setEscapeButton(QMessageBox::No);
        break;
    }
    const int result = box.exec();
    if (kind != Kind::Confirmation)
        return Answer::Ok;
    return result == QMessageBox::Yes ? Answer::Yes : Answer::No;
}

void MessageBoxes::showError(const QString &text, QWidget *parent)
{
    show(Kind::Error, applicationTitle(), withFullStop(text), parent);
}

void MessageBoxes::showMessage(const QString &text, QWidget *parent)
{
    show(Kind::Plain, applicationTitle(), text, parent);
}

bool MessageBoxes::confirm(const QString &text, QWidget *parent)
{
    // Confirmations keep the caption of the platform's own question box.
    return confirm(text, QStringLiteral("Confirm"), parent);
}

bool MessageBoxes::confirm(const QString &text, const QString &caption, QWidget *parent)
{
    return show(Kind::Confirmation, caption, text, parent) == Answer::Yes;
}
