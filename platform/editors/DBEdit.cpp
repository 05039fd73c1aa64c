#include "DBEdit.h"

#include "Beep.h"
#include "CodePageInput.h"
#include "CommandGuard.h"
#include "MessageBoxes.h"

#include "platform/memdata/DataError.h"
#include "platform/memdata/MemField.h"

#include <QKeyEvent>
#include <QValidator>

namespace {

// Keeps what arrives, typed or pasted, within the archive's code page, and turns letters to one
// case, the text's length and the cursor's place kept.
class InputValidator : public QValidator
{
public:
    InputValidator(DBEdit::CharCase charCase, QObject *parent) : QValidator(parent), m_case(charCase) {}

    void setCharCase(DBEdit::CharCase charCase) { m_case = charCase; }

    State validate(QString &input, int &pos) const override
    {
        qsizetype refused = 0;
        const QString before = CodePageInput::fit(QStringView(input).left(pos), &refused);
        const QString after = CodePageInput::fit(QStringView(input).mid(pos), &refused);
        input = inCase(before + after);
        pos = int(before.size());
        if (refused > 0)
            Beep::sound();
        return Acceptable;
    }

private:
    QString inCase(const QString &text) const
    {
        switch (m_case) {
        case DBEdit::CharCase::Upper: return CodePageInput::toUpper(text);
        case DBEdit::CharCase::Lower: return CodePageInput::toLower(text);
        case DBEdit::CharCase::Normal: break;
        }
        return text;
    }

    DBEdit::CharCase m_case;
};

} // namespace

DBEdit::DBEdit(QWidget *parent) : QLineEdit(parent), m_validator(new InputValidator(m_charCase, this))
{
    setValidator(m_validator);
    m_link.setOnDataChange([this] { showField(); });
    m_link.setOnUpdateData([this] { writeField(); });
    connect(this, &QLineEdit::textEdited, this, &DBEdit::userEdited);
}

void DBEdit::setDataSource(DataSource *source)
{
    m_link.setDataSource(source);
}

void DBEdit::setDataField(const QString &name)
{
    m_link.setFieldName(name);
}

void DBEdit::setCharCase(CharCase charCase)
{
    if (m_charCase == charCase)
        return;
    m_charCase = charCase;
    static_cast<InputValidator *>(m_validator)->setCharCase(charCase);
}

void DBEdit::showField()
{
    const MemField *f = m_link.field();
    m_loading = true;
    setMaxLength(f && f->size() > 0 ? f->size() : 32767);
    setText(f ? f->asString() : QString());
    m_loading = false;
}

void DBEdit::writeField()
{
    if (MemField *f = m_link.field())
        f->setAsString(text());
}

void DBEdit::userEdited()
{
    if (m_loading)
        return;
    // Typing starts the edit of the record; a record that cannot be edited says so here.
    CommandGuard::run([this] {
        if (m_link.startEdit())
            m_link.setModified();
    });
}

void DBEdit::focusOutEvent(QFocusEvent *event)
{
    QLineEdit::focusOutEvent(event);
    try {
        m_link.updateRecordNow();
    } catch (const DataError &error) {
        m_link.reset();
        MessageBoxes::showError(error.message(), this);
    }
}

void DBEdit::keyPressEvent(QKeyEvent *event)
{
    // Esc takes back what was typed since the field was last shown.
    if (event->key() == Qt::Key_Escape && m_link.isModified()) {
        m_link.reset();
        event->accept();
        return;
    }
    QLineEdit::keyPressEvent(event);
}
