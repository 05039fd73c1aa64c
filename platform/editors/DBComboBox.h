#pragma once

#include "DataBoundEditor.h"
#include "FieldDataLink.h"

#include <QComboBox>

class DataSource;

// An editable drop-down list bound to a field. The user may pick an item or type any text of
// the archive's code page, at most the field's width: a text that equals an item ignoring letter
// case is shown and stored as the item's own text, and in a one-letter box a typed letter takes
// the place of the shown one.
//
// changed() is emitted every time the shown text changes, whatever the cause: typing, a pick,
// setItemIndex(), or the field's value changing because the record moved, was appended, posted,
// cancelled or reloaded. It is not emitted when the text stays the same. Connect to it once the
// owner is built, so that filling the box while the owner is created reports nothing.
class DBComboBox : public QComboBox, public DataBoundEditor
{
    Q_OBJECT
    Q_INTERFACES(DataBoundEditor)

public:
    explicit DBComboBox(QWidget *parent = nullptr);

    void setDataSource(DataSource *source) override;
    DataSource *dataSource() const override { return m_link.dataSource(); }
    void setDataField(const QString &name) override;
    QString dataField() const override { return m_link.fieldName(); }
    const FieldDataLink &dataLink() const { return m_link; }

    QString shownText() const;
    // The item equal to the shown text ignoring letter case, or -1.
    int itemIndex() const;
    // Shows the item's text and reports the change, but starts no editing: the text is written
    // into the field only when the record is saved from editing or insertion while the box still
    // shows it. So a rule run by a move of the cursor changes what the box shows, never the
    // record. Nothing when that very text is shown.
    void setItemIndex(int index);

    bool isModified() const { return m_link.isModified(); }

Q_SIGNALS:
    void changed();

protected:
    void focusOutEvent(QFocusEvent *event) override;

private:
    void showField();
    void writeField();
    void textChangedByUser();
    void reportChange();

    FieldDataLink m_link;
    QString m_reported;
    bool m_loading = false;
    bool m_setting = false;
};
