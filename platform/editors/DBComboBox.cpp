#include "DBComboBox.h"

#include "Beep.h"
#include "CodePageInput.h"
#include "CommandGuard.h"
#include "MessageBoxes.h"

#include "platform/memdata/DataError.h"
#include "platform/memdata/MemField.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QScopedValueRollback>
#include <QValidator>
#include <algorithm>

namespace {

// The box's edit. When the box holds one letter, a typed or pasted letter takes the place of the
// shown one instead of finding no room.
class ChoiceLineEdit : public QLineEdit
{
public:
    using QLineEdit::QLineEdit;

protected:
    void keyPressEvent(QKeyEvent *event) override
    {
        if (maxLength() == 1 && !hasSelectedText() && !isReadOnly() && insertsText(event))
            selectAll();
        QLineEdit::keyPressEvent(event);
    }

private:
    static bool insertsText(const QKeyEvent *event)
    {
        if (event->matches(QKeySequence::Paste))
            return true;
        const QString typed = event->text();
        return !typed.isEmpty() && (typed[0].isPrint() || typed[0].isSurrogate())
            && !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier));
    }
};

// What the user types or pastes: characters of the archive's code page only, and a text that
// equals an item ignoring letter case becomes the item's own text.
class ChoiceValidator : public QValidator
{
public:
    ChoiceValidator(DBComboBox *box, const bool *loading) : QValidator(box), m_box(box), m_loading(loading) {}

    State validate(QString &input, int &pos) const override
    {
        if (*m_loading)
            return Acceptable;                  // the field's own value is shown as it is
        qsizetype refused = 0;
        const QString before = CodePageInput::fit(QStringView(input).left(pos), &refused);
        const QString after = CodePageInput::fit(QStringView(input).mid(pos), &refused);
        input = before + after;
        pos = int(before.size());
        for (int i = 0; i < m_box->count(); ++i) {
            const QString item = m_box->itemText(i);
            if (item.compare(input, Qt::CaseInsensitive) == 0) {
                input = item;
                pos = int(std::min(qsizetype(pos), item.size()));
                break;
            }
        }
        if (refused > 0)
            Beep::sound();
        return Acceptable;
    }

private:
    const DBComboBox *m_box;
    const bool *m_loading;
};

} // namespace

DBComboBox::DBComboBox(QWidget *parent) : QComboBox(parent)
{
    setEditable(true);
    setLineEdit(new ChoiceLineEdit(this));
    setInsertPolicy(QComboBox::NoInsert);
    // Completion would change the letters the user typed; the items are matched without it.
    setCompleter(nullptr);
    setValidator(new ChoiceValidator(this, &m_loading));
    m_link.setOnDataChange([this] { showField(); });
    m_link.setOnUpdateData([this] { writeField(); });
    connect(lineEdit(), &QLineEdit::textChanged, this, [this] {
        if (m_loading)
            return;
        if (m_setting)
            m_link.setShownInstead();
        else
            textChangedByUser();
        reportChange();
    });
    // A pick from the list is the user's own change, like typing.
    connect(this, &QComboBox::activated, this, [this](int index) {
        if (index >= 0 && index < count() && itemText(index) != shownText())
            lineEdit()->setText(itemText(index));
    });
}

void DBComboBox::setDataSource(DataSource *source)
{
    m_link.setDataSource(source);
}

void DBComboBox::setDataField(const QString &name)
{
    m_link.setFieldName(name);
}

QString DBComboBox::shownText() const
{
    return lineEdit()->text();
}

int DBComboBox::itemIndex() const
{
    const QString text = shownText();
    for (int i = 0; i < count(); ++i) {
        if (itemText(i).compare(text, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

void DBComboBox::setItemIndex(int index)
{
    const QString text = index >= 0 && index < count() ? itemText(index) : QString();
    if (text == shownText())
        return;
    const QScopedValueRollback setting(m_setting, true);
    lineEdit()->setText(text);
}

void DBComboBox::showField()
{
    const MemField *f = m_link.field();
    const QString text = f ? f->asString() : QString();
    m_loading = true;
    lineEdit()->setMaxLength(f && f->size() > 0 ? f->size() : 32767);
    const int index = findText(text, Qt::MatchFixedString);
    setCurrentIndex(index);
    lineEdit()->setText(text);
    m_loading = false;
    reportChange();
}

void DBComboBox::writeField()
{
    if (MemField *f = m_link.field())
        f->setAsString(shownText());
}

void DBComboBox::textChangedByUser()
{
    // Typing starts the edit of the record; a record that cannot be edited says so here.
    CommandGuard::run([this] {
        if (m_link.startEdit())
            m_link.setModified();
    });
}

void DBComboBox::reportChange()
{
    const QString text = shownText();
    if (text == m_reported)
        return;
    m_reported = text;
    Q_EMIT changed();
}

void DBComboBox::focusOutEvent(QFocusEvent *event)
{
    QComboBox::focusOutEvent(event);
    try {
        m_link.updateRecordNow();
    } catch (const DataError &error) {
        m_link.reset();
        MessageBoxes::showError(error.message(), this);
    }
}
