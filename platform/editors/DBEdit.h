#pragma once

#include "DataBoundEditor.h"
#include "FieldDataLink.h"

#include <QLineEdit>

class DataSource;
class QValidator;

// A single-line edit bound to a text field: at most the field's width in characters, only
// characters the archive's code page holds (others become their base letter or are refused with
// a beep), typed and pasted letters optionally turned to upper or lower case, the text written
// into the field when the edit is left and at the latest when the record is posted.
class DBEdit : public QLineEdit, public DataBoundEditor
{
    Q_OBJECT
    Q_INTERFACES(DataBoundEditor)

public:
    enum class CharCase { Normal, Upper, Lower };

    explicit DBEdit(QWidget *parent = nullptr);

    void setDataSource(DataSource *source) override;
    DataSource *dataSource() const override { return m_link.dataSource(); }
    void setDataField(const QString &name) override;
    QString dataField() const override { return m_link.fieldName(); }
    const FieldDataLink &dataLink() const { return m_link; }

    void setCharCase(CharCase charCase);
    CharCase charCase() const { return m_charCase; }

    bool isModified() const { return m_link.isModified(); }

protected:
    void focusOutEvent(QFocusEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void showField();
    void writeField();
    void userEdited();

    FieldDataLink m_link;
    CharCase m_charCase = CharCase::Normal;
    QValidator *m_validator;
    bool m_loading = false;
};
