#include "platform/filter/FilterFile.h"

#include "platform/filter/FilterCriteria.h"
#include "platform/filter/FilterOperators.h"
#include "platform/filter/FilterValueSource.h"
#include "platform/memdata/DataError.h"
#include "platform/texts/ComponentTexts.h"
#include "platform/texts/FilterControlTexts.h"

#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSaveFile>

namespace {

const QString FormatName = QStringLiteral("Callistro filter");
constexpr int FormatVersion = 1;
const QString DateFormat = QStringLiteral("yyyy-MM-dd");
const QString DateTimeFormat = QStringLiteral("yyyy-MM-ddTHH:mm:ss.zzz");
// Integers beyond this do not survive a JSON number.
constexpr qint64 LargestJsonInteger = qint64(1) << 53;

QString message(const ComponentText &text, const QString &fileName)
{
    return ComponentTexts::text(text).arg(fileName);
}

// --- writing ---

QJsonObject valueToJson(const FilterValue &value)
{
    QJsonObject json;
    const QVariant &v = value.value();
    if (!v.isValid())
        json.insert(QLatin1String("blank"), true);
    else if (v.typeId() == QMetaType::LongLong)
        json.insert(QLatin1String("integer"), v.toLongLong());
    else if (v.typeId() == QMetaType::QDate)
        json.insert(QLatin1String("date"), v.toDate().toString(DateFormat));
    else if (v.typeId() == QMetaType::QDateTime)
        json.insert(QLatin1String("dateTime"), v.toDateTime().toString(DateTimeFormat));
    else
        json.insert(QLatin1String("text"), v.toString());
    if (!value.displayText().isEmpty())
        json.insert(QLatin1String("display"), value.displayText());
    return json;
}

QJsonObject groupToJson(const FilterGroup &group, const FilterValueSource &source)
{
    QJsonArray items;
    for (int i = 0; i < group.count(); ++i) {
        const FilterItem &item = group.at(i);
        if (item.isGroup()) {
            items.append(groupToJson(item.group(), source));
            continue;
        }
        const FilterCondition &condition = item.condition();
        if (condition.column() < 0 || condition.column() >= source.columnCount())
            throw DataError(ComponentTexts::text(FilterControlTexts::CannotBuildFilter));
        QJsonArray values;
        for (const FilterValue &value : condition.values())
            values.append(valueToJson(value));
        QJsonObject json;
        json.insert(QLatin1String("column"), source.columnName(condition.column()));
        json.insert(QLatin1String("operator"), FilterOperators::key(condition.filterOperator()));
        json.insert(QLatin1String("values"), values);
        items.append(json);
    }
    QJsonObject json;
    json.insert(QLatin1String("operator"), FilterOperators::key(group.boolOperator()));
    json.insert(QLatin1String("items"), items);
    return json;
}

// --- reading ---

// Thrown inside the reader for any fault of structure; reported as a damaged file.
struct Damaged
{
};

class Reader
{
public:
    Reader(const FilterValueSource &source, const QString &fileName) : m_source(source), m_fileName(fileName) {}

    FilterCriteria read(const QByteArray &json) const
    {
        QJsonParseError error;
        const QJsonDocument document = QJsonDocument::fromJson(json, &error);
        if (error.error != QJsonParseError::NoError || !document.isObject())
            throw DataError(message(FilterControlTexts::NotAFilterFile, m_fileName));
        const QJsonObject top = document.object();
        if (top.value(QLatin1String("format")).toString() != FormatName
            || top.value(QLatin1String("version")).toInt(-1) != FormatVersion)
            throw DataError(message(FilterControlTexts::NotAFilterFile, m_fileName));
        try {
            return FilterCriteria(group(object(top.value(QLatin1String("root")))));
        } catch (const Damaged &) {
            throw DataError(message(FilterControlTexts::DamagedFilterFile, m_fileName));
        }
    }

private:
    static QJsonObject object(const QJsonValue &value)
    {
        if (!value.isObject())
            throw Damaged();
        return value.toObject();
    }

    static QString string(const QJsonObject &json, QLatin1String key)
    {
        const QJsonValue value = json.value(key);
        if (!value.isString())
            throw Damaged();
        return value.toString();
    }

    static QJsonArray array(const QJsonObject &json, QLatin1String key)
    {
        const QJsonValue value = json.value(key);
        if (!value.isArray())
            throw Damaged();
        return value.toArray();
    }

    FilterGroup group(const QJsonObject &json) const
    {
        const auto op = FilterOperators::boolOperatorFromKey(string(json, QLatin1String("operator")));
        if (!op || json.contains(QLatin1String("column")))
            throw Damaged();
        FilterGroup group(*op);
        for (const QJsonValue &itemValue : array(json, QLatin1String("items"))) {
            const QJsonObject item = object(itemValue);
            if (item.contains(QLatin1String("items")))
                group.insert(group.count(), this->group(item));
            else
                group.addCondition(condition(item));
        }
        return group;
    }

    FilterCondition condition(const QJsonObject &json) const
    {
        const QString name = string(json, QLatin1String("column"));
        const int column = columnNamed(name);
        if (column < 0)
            throw DataError(ComponentTexts::text(FilterControlTexts::UnknownFilterColumn).arg(m_fileName, name));
        const FilterFieldKind kind = m_source.kind(column);
        const auto op = FilterOperators::operatorFromKey(string(json, QLatin1String("operator")));
        if (!op || !FilterOperators::appliesTo(*op, kind))
            throw Damaged();

        QList<FilterValue> values;
        for (const QJsonValue &value : array(json, QLatin1String("values")))
            values.append(this->value(object(value), kind));
        const int count = FilterOperators::valueCount(*op);
        if (count == FilterOperators::AnyCount ? values.isEmpty() : values.size() != count)
            throw Damaged();
        return FilterCondition(column, *op, values);
    }

    FilterValue value(const QJsonObject &json, FilterFieldKind kind) const
    {
        QString display;
        if (json.contains(QLatin1String("display")))
            display = string(json, QLatin1String("display"));
        if (json.size() != (json.contains(QLatin1String("display")) ? 2 : 1))
            throw Damaged();

        const QString type = json.constBegin().key() == QLatin1String("display") ? (json.constBegin() + 1).key()
                                                                                   : json.constBegin().key();
        const QJsonValue v = json.value(type);
        if (type == QLatin1String("text") && v.isString())
            return FilterValue(v.toString(), display);
        if (type == QLatin1String("blank") && v.toBool(false))
            return FilterValue(QVariant(), display);
        if (type == QLatin1String("integer") && kind == FilterFieldKind::Integer && v.isDouble()) {
            const double d = v.toDouble();
            // The range first: converting a double outside qint64 is undefined.
            if (!(d <= double(LargestJsonInteger) && d >= -double(LargestJsonInteger)) || d != double(qint64(d)))
                throw Damaged();
            return FilterValue(QVariant::fromValue(qint64(d)), display);
        }
        if (type == QLatin1String("date") && kind == FilterFieldKind::DateTime && v.isString()) {
            const QDate date = QDate::fromString(v.toString(), DateFormat);
            if (date.isValid())
                return FilterValue(date, display);
        }
        if (type == QLatin1String("dateTime") && kind == FilterFieldKind::DateTime && v.isString()) {
            const QDateTime dateTime = QDateTime::fromString(v.toString(), DateTimeFormat);
            if (dateTime.isValid())
                return FilterValue(dateTime, display);
        }
        throw Damaged();
    }

    int columnNamed(const QString &name) const
    {
        for (int column = 0; column < m_source.columnCount(); ++column) {
            if (m_source.columnName(column).compare(name, Qt::CaseInsensitive) == 0)
                return column;
        }
        return -1;
    }

    const FilterValueSource &m_source;
    QString m_fileName;
};

QString shownName(const QString &fileName)
{
    return QFileInfo(fileName).fileName();
}

} // namespace

QByteArray FilterFile::toJson(const FilterCriteria &criteria, const FilterValueSource &source)
{
    QJsonObject top;
    top.insert(QLatin1String("format"), FormatName);
    top.insert(QLatin1String("version"), FormatVersion);
    top.insert(QLatin1String("root"), groupToJson(criteria.root(), source));
    return QJsonDocument(top).toJson(QJsonDocument::Indented);
}

FilterCriteria FilterFile::fromJson(const QByteArray &json, const FilterValueSource &source, const QString &fileName)
{
    return Reader(source, fileName).read(json);
}

void FilterFile::save(const QString &fileName, const FilterCriteria &criteria, const FilterValueSource &source)
{
    const QByteArray json = toJson(criteria, source);
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly) || file.write(json) != json.size() || !file.commit())
        throw DataError(message(FilterControlTexts::CannotSaveFilterFile, shownName(fileName)));
}

FilterCriteria FilterFile::load(const QString &fileName, const FilterValueSource &source)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        throw DataError(message(FilterControlTexts::CannotOpenFilterFile, shownName(fileName)));
    return fromJson(file.readAll(), source, shownName(fileName));
}

void FilterFile::open(const QString &fileName, const FilterValueSource &source, FilterCriteria &criteria)
{
    criteria = load(fileName, source);
}
