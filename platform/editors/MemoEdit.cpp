#include "MemoEdit.h"

#include "Beep.h"
#include "CodePageInput.h"

#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QRegularExpression>
#include <QTextCursor>

namespace {

QString toPlainLines(const QString &text)
{
    static const QRegularExpression breaks(QStringLiteral("\r\n|\r|\n|\u2029|\u2028"));
    QString plain = text;
    plain.replace(breaks, QStringLiteral("\n"));
    return plain;
}

// Cuts a plain text so that it counts at most room characters, a line break counting two.
QString cutToRoom(const QString &plain, qsizetype room)
{
    qsizetype used = 0;
    qsizetype i = 0;
    for (; i < plain.size(); ++i) {
        const qsizetype cost = plain[i] == u'\n' ? 2 : 1;
        if (used + cost > room)
            break;
        used += cost;
    }
    return plain.left(i);
}

// Whether a key's text is one to insert: its first character (a surrogate pair counting as one)
// is printable.
bool isPrintable(const QString &typed)
{
    if (typed.isEmpty())
        return false;
    const char32_t first = typed.size() > 1 && typed[0].isHighSurrogate() && typed[1].isLowSurrogate()
        ? QChar::surrogateToUcs4(typed[0], typed[1]) : typed[0].unicode();
    return QChar::isPrint(first);
}

} // namespace

MemoEdit::MemoEdit(QWidget *parent) : QPlainTextEdit(parent)
{
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setTabChangesFocus(true);
}

void MemoEdit::setMaxLength(int length)
{
    m_maxLength = length;
}

qsizetype MemoEdit::countedLength(const QString &plain)
{
    return plain.size() + plain.count(u'\n');
}

QString MemoEdit::text() const
{
    QString plain = toPlainText();
    plain.replace(u'\n', QLatin1String("\r\n"));
    return plain;
}

void MemoEdit::setText(const QString &text)
{
    QString plain = toPlainLines(text);
    if (m_maxLength > 0)
        plain = cutToRoom(plain, m_maxLength);
    setPlainText(plain);
}

qsizetype MemoEdit::roomFor() const
{
    if (m_maxLength <= 0)
        return std::numeric_limits<qsizetype>::max();
    const QString selected = toPlainLines(textCursor().selectedText());
    const qsizetype used = countedLength(toPlainText()) - countedLength(selected);
    return std::max<qsizetype>(0, m_maxLength - used);
}

QString MemoEdit::fitted(const QString &plain) const
{
    qsizetype refused = 0;
    const QString held = CodePageInput::fit(plain, &refused);
    if (refused > 0)
        Beep::sound();
    return cutToRoom(held, roomFor());
}

void MemoEdit::insertLimited(const QString &plain)
{
    const QString fitting = fitted(plain);
    if (fitting.isEmpty() && !plain.isEmpty())
        return;
    QTextCursor cursor = textCursor();
    cursor.insertText(fitting);
    setTextCursor(cursor);
    ensureCursorVisible();
}

void MemoEdit::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        event->ignore();
        return;
    }
    const QString typed = event->text();
    if (!isReadOnly() && isPrintable(typed) && !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
        insertLimited(typed);
        event->accept();
        return;
    }
    QPlainTextEdit::keyPressEvent(event);
}

void MemoEdit::insertFromMimeData(const QMimeData *source)
{
    if (!source || !source->hasText())
        return;
    insertLimited(toPlainLines(source->text()));
}

void MemoEdit::inputMethodEvent(QInputMethodEvent *event)
{
    if (event->commitString().isEmpty()) {
        QPlainTextEdit::inputMethodEvent(event);
        return;
    }
    QInputMethodEvent held(event->preeditString(), event->attributes());
    held.setCommitString(fitted(event->commitString()), event->replacementStart(), event->replacementLength());
    QPlainTextEdit::inputMethodEvent(&held);
}
