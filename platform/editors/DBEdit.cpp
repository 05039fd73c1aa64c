#include "DBEdit.h"

#include "MessageBoxes.h"

#include "platform/memdata/DataError.h"
#include "platform/memdata/MemField.h"

#include <QKeyEvent>
#include <QValidator>

namespace {

// Turns letters to one case as they arrive, typed or pasted.
class CaseValidator : public QValidator
{
public:
    CaseValidator(DBEdit::CharCase charCase, QObject *parent) : QValidator(parent), m_case(charCase) {}

    State validate(QString &input, int &) const override
    {
        if (m_case == DBEdit::CharCase::Upper)
            input = input.toUpper();
        else if (m_case == DBEdit::CharCase::Lower)
            input = input.toLower();
        return Acceptable;
    }

private:
    DBEdit::CharCase m_case;
};

} // namespace

DBEdit::DBEdit(QWidget *parent) : QLineEdit(parent)
{
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
    delete m_caseValidator;
    m_caseValidator = charCase == CharCase::Normal ? nullptr : new CaseValidator(charCase, this);
    setValidator(m_caseValidator);
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
    if (m_link.startEdit())
        m_link.setModified();
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
