#include "DBDateEdit.h"

#include "CommandGuard.h"
#include "MessageBoxes.h"

#include "platform/memdata/DataError.h"
#include "platform/memdata/DataSource.h"
#include "platform/memdata/DateTimeKey.h"
#include "platform/memdata/MemField.h"
#include "platform/memdata/MemTable.h"
#include "platform/texts/ComponentTexts.h"
#include "platform/texts/EditorTexts.h"

#include <QAction>
#include <algorithm>
#include <QCalendarWidget>
#include <QFrame>
#include <QKeyEvent>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

namespace {

// A date or time pattern with every part at a fixed width, so that a digit mask fits it; an
// empty result when the pattern holds parts a mask cannot take (names, 12-hour clock, quotes).
QString fixedWidthPattern(const QString &pattern)
{
    QString out;
    for (qsizetype i = 0; i < pattern.size();) {
        const QChar c = pattern[i];
        qsizetype run = 1;
        while (i + run < pattern.size() && pattern[i + run] == c)
            ++run;
        i += run;
        switch (c.unicode()) {
        case u'd':
        case u'M':
            if (run > 2)
                return QString();
            out += QString(2, c);
            break;
        case u'y': out += QStringLiteral("yyyy"); break;   // the table shows four-digit years
        case u'H':
        case u'm':
        case u's':
            if (run > 2)
                return QString();
            out += QString(2, c);
            break;
        default:
            if (c.isLetter() || c == u'\'')
                return QString();
            out += QString(run, c);
            break;
        }
    }
    return out;
}

QString maskOf(const QString &pattern)
{
    static const QString metaCharacters = QStringLiteral("AaNnXx90Dd#HhBb><![]{};\\");
    QString mask;
    for (const QChar c : pattern) {
        if (c.isLetter()) {
            mask += u'0';
        } else {
            if (metaCharacters.contains(c))
                mask += u'\\';
            mask += c;
        }
    }
    return mask;
}

constexpr QChar Blank = u'_';

} // namespace

DBDateEdit::DBDateEdit(QWidget *parent) : QLineEdit(parent)
{
    m_link.setOnDataChange([this] { showField(); });
    m_link.setOnUpdateData([this] { writeField(); });
    connect(this, &QLineEdit::textEdited, this, &DBDateEdit::userEdited);

    QAction *drop = addAction(style()->standardIcon(QStyle::SP_ArrowDown), QLineEdit::TrailingPosition);
    drop->setObjectName(QStringLiteral("DropDown"));
    connect(drop, &QAction::triggered, this, &DBDateEdit::showPopup);

    m_popup = new QFrame(this, Qt::Popup);
    m_popup->setObjectName(QStringLiteral("CalendarPopup"));
    m_popup->setFrameShape(QFrame::Box);
    auto *layout = new QVBoxLayout(m_popup);
    layout->setContentsMargins(2, 2, 2, 2);
    m_calendar = new QCalendarWidget(m_popup);
    m_calendar->setObjectName(QStringLiteral("Calendar"));
    m_calendar->setGridVisible(true);
    layout->addWidget(m_calendar);
    m_popupButton = new QPushButton(m_popup);
    layout->addWidget(m_popupButton, 0, Qt::AlignHCenter);
    connect(m_calendar, &QCalendarWidget::clicked, this, &DBDateEdit::calendarPicked);
    connect(m_calendar, &QCalendarWidget::activated, this, &DBDateEdit::calendarPicked);
    connect(m_popupButton, &QPushButton::clicked, this, &DBDateEdit::popupButtonClicked);

    applyFormat();
}

void DBDateEdit::setDataSource(DataSource *source)
{
    m_link.setDataSource(source);
}

void DBDateEdit::setDataField(const QString &name)
{
    m_link.setFieldName(name);
}

void DBDateEdit::setKind(Kind kind)
{
    if (m_kind == kind)
        return;
    m_kind = kind;
    applyFormat();
    showField();
}

const RegionalSettings &DBDateEdit::regional() const
{
    static const RegionalSettings unbound;
    const MemTable *t = m_link.table();
    return t ? t->regionalSettings() : unbound;
}

void DBDateEdit::applyFormat()
{
    const RegionalSettings &settings = regional();
    m_regionalDate = settings.shortDateFormat();
    m_regionalTime = settings.longTimeFormat();
    m_dateFormat = fixedWidthPattern(settings.shortDateFormat());
    m_timeFormat = m_kind == Kind::DateTime ? fixedWidthPattern(settings.longTimeFormat()) : QString();
    m_masked = !m_dateFormat.isEmpty() && (m_kind == Kind::Date || !m_timeFormat.isEmpty());
    m_loading = true;
    if (m_masked) {
        const QString pattern = m_kind == Kind::Date ? m_dateFormat : m_dateFormat + u' ' + m_timeFormat;
        setInputMask(maskOf(pattern) + u';' + Blank);
    } else {
        setInputMask(QString());
    }
    m_loading = false;

    const bool now = m_kind == Kind::DateTime;
    m_popupButton->setObjectName(now ? QStringLiteral("NowButton") : QStringLiteral("TodayButton"));
    m_popupButton->setText(ComponentTexts::text(now ? EditorTexts::DateNow : EditorTexts::DateToday));
}

void DBDateEdit::showValue(const QDateTime &value)
{
    m_loading = true;
    if (!value.isValid())
        setText(QString());
    else if (m_masked)
        setText(value.toString(m_kind == Kind::Date ? m_dateFormat : m_dateFormat + u' ' + m_timeFormat));
    else
        setText(regional().format(DateTimeKey::fromDateTime(value)));
    m_loading = false;
}

void DBDateEdit::showField()
{
    const RegionalSettings &settings = regional();
    if (settings.shortDateFormat() != m_regionalDate || settings.longTimeFormat() != m_regionalTime)
        applyFormat();
    const MemField *f = m_link.field();
    showValue(f && !f->isNull() ? f->asDateTime() : QDateTime());
}

std::optional<QDateTime> DBDateEdit::shownValue() const
{
    const QString shown = m_masked ? displayText() : text().trimmed();
    if (!std::any_of(shown.begin(), shown.end(), [](QChar c) { return c.isDigit(); }))
        return QDateTime();
    if (!m_masked) {
        const std::optional<qint64> key = regional().parse(shown);
        if (!key)
            return std::nullopt;
        return DateTimeKey::toDateTime(*key);
    }
    const QString datePart = shown.left(m_dateFormat.size());
    if (datePart.contains(Blank))
        return std::nullopt;
    const QDate date = QDate::fromString(datePart, m_dateFormat);
    if (!date.isValid())
        return std::nullopt;
    QTime time(0, 0);
    if (m_kind == Kind::DateTime) {
        const QString timePart = shown.mid(m_dateFormat.size() + 1);
        const bool blank = std::none_of(timePart.begin(), timePart.end(), [](QChar c) { return c.isDigit(); });
        if (!blank) {
            if (timePart.contains(Blank))
                return std::nullopt;
            time = QTime::fromString(timePart, m_timeFormat);
            if (!time.isValid())
                return std::nullopt;
        }
    }
    return QDateTime(date, time);
}

void DBDateEdit::writeField()
{
    MemField *f = m_link.field();
    if (!f)
        return;
    const std::optional<QDateTime> value = shownValue();
    if (!value)
        throw DataError(ComponentTexts::text(EditorTexts::InvalidDate));
    if (!value->isValid())
        f->clear();
    else if (m_kind == Kind::Date)
        f->setAsDateTime(QDateTime(value->date(), QTime(0, 0)));
    else
        f->setAsDateTime(*value);
}

void DBDateEdit::userEdited()
{
    if (m_loading)
        return;
    // Typing starts the edit of the record; a record that cannot be edited says so here.
    CommandGuard::run([this] {
        if (m_link.startEdit())
            m_link.setModified();
    });
}

void DBDateEdit::setValueByUser(const QDateTime &value)
{
    showValue(m_kind == Kind::Date && value.isValid() ? QDateTime(value.date(), QTime(0, 0)) : value);
    userEdited();
}

void DBDateEdit::showPopup()
{
    const std::optional<QDateTime> value = shownValue();
    m_calendar->setSelectedDate(value && value->isValid() ? value->date() : QDate::currentDate());
    m_popup->adjustSize();
    m_popup->move(mapToGlobal(QPoint(0, height())));
    m_popup->show();
    m_calendar->setFocus();
}

void DBDateEdit::hidePopup()
{
    m_popup->hide();
}

void DBDateEdit::calendarPicked(QDate date)
{
    const std::optional<QDateTime> shown = shownValue();
    const QTime time = m_kind == Kind::DateTime && shown && shown->isValid() ? shown->time() : QTime(0, 0);
    hidePopup();
    setValueByUser(QDateTime(date, time));
}

void DBDateEdit::popupButtonClicked()
{
    hidePopup();
    if (m_kind == Kind::Date) {
        setValueByUser(QDateTime(QDate::currentDate(), QTime(0, 0)));
    } else {
        QDateTime now = QDateTime::currentDateTime();
        now.setTime(QTime(now.time().hour(), now.time().minute(), now.time().second()));
        setValueByUser(now);
    }
}

void DBDateEdit::focusOutEvent(QFocusEvent *event)
{
    QLineEdit::focusOutEvent(event);
    if (event->reason() == Qt::PopupFocusReason)
        return;
    try {
        m_link.updateRecordNow();
    } catch (const DataError &error) {
        m_link.reset();
        MessageBoxes::showError(error.message(), this);
    }
}

void DBDateEdit::keyPressEvent(QKeyEvent *event)
{
    const bool dropKey = event->key() == Qt::Key_F4
        || ((event->modifiers() & Qt::AltModifier) && event->key() == Qt::Key_Down);
    if (dropKey) {
        showPopup();
        event->accept();
        return;
    }
    if (event->key() == Qt::Key_Escape && m_link.isModified()) {
        m_link.reset();
        event->accept();
        return;
    }
    QLineEdit::keyPressEvent(event);
}
