#include "DBComboBox.h"

#include "MessageBoxes.h"

#include "platform/memdata/DataError.h"
#include "platform/memdata/MemField.h"

#include <QLineEdit>

DBComboBox::DBComboBox(QWidget *parent) : QComboBox(parent)
{
    setEditable(true);
    setInsertPolicy(QComboBox::NoInsert);
    // Completion would change the letters the user typed; the items are matched without it.
    setCompleter(nullptr);
    m_link.setOnDataChange([this] { showField(); });
    m_link.setOnUpdateData([this] { writeField(); });
    connect(lineEdit(), &QLineEdit::textChanged, this, [this] {
        if (m_loading)
            return;
        textChangedByUser();
        reportChange();
    });
    connect(this, &QComboBox::activated, this, &DBComboBox::setItemIndex);
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
    lineEdit()->setText(text);
}

void DBComboBox::showField()
{
    const MemField *f = m_link.field();
    const QString text = f ? f->asString() : QString();
    m_loading = true;
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
    if (m_link.startEdit())
        m_link.setModified();
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
