#pragma once

#include "DataBoundEditor.h"
#include "FieldDataLink.h"

#include <QDateTime>
#include <QLineEdit>
#include <optional>

class DataSource;
class QCalendarWidget;
class QFrame;
class QPushButton;
class RegionalSettings;

// A date box bound to a date-time field. Typing runs through a mask made from the table's short
// date (and long time) format; a drop-down calendar picks a date, and its one button takes the
// present moment ("Now", date and time) or today ("Today", date only). A typed text that is not a
// date is refused with a message and the field keeps its value. A date-only box never stores a
// time of day.
class DBDateEdit : public QLineEdit, public DataBoundEditor
{
    Q_OBJECT
    Q_INTERFACES(DataBoundEditor)

public:
    enum class Kind { Date, DateTime };

    explicit DBDateEdit(QWidget *parent = nullptr);

    void setDataSource(DataSource *source) override;
    DataSource *dataSource() const override { return m_link.dataSource(); }
    void setDataField(const QString &name) override;
    QString dataField() const override { return m_link.fieldName(); }
    const FieldDataLink &dataLink() const { return m_link; }

    void setKind(Kind kind);
    Kind kind() const { return m_kind; }

    // The value the box shows; empty when it shows no date, nullopt when its text is not a date.
    std::optional<QDateTime> shownValue() const;
    // Like a pick in the calendar: shows the value and starts editing the record.
    void setValueByUser(const QDateTime &value);

    bool isModified() const { return m_link.isModified(); }

    void showPopup();
    void hidePopup();
    QFrame *popup() const { return m_popup; }
    QCalendarWidget *calendar() const { return m_calendar; }
    QPushButton *popupButton() const { return m_popupButton; }

protected:
    void focusOutEvent(QFocusEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void showField();
    void writeField();
    void userEdited();
    void applyFormat();
    void showValue(const QDateTime &value);
    void calendarPicked(QDate date);
    void popupButtonClicked();
    const RegionalSettings &regional() const;

    FieldDataLink m_link;
    Kind m_kind = Kind::DateTime;
    QString m_regionalDate; // the table's formats the mask was made from
    QString m_regionalTime;
    QString m_dateFormat;   // digits only, one fixed width per part
    QString m_timeFormat;   // empty for a date-only box or a format without a mask
    bool m_masked = false;
    bool m_loading = false;
    QFrame *m_popup = nullptr;
    QCalendarWidget *m_calendar = nullptr;
    QPushButton *m_popupButton = nullptr;
};
