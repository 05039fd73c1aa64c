#include "MemTable.h"

#include "AnsiCodec.h"
#include "DataError.h"
#include "DataSource.h"
#include "DateTimeKey.h"
#include "MemField.h"
#include "RecordObserver.h"
#include "RecordBatch.h"
#include "RecordImage.h"

#include <algorithm>
#include <cstring>

namespace {


constexpr qint64 NullNumber = DateTimeKey::Null;

using RecordImage::sanitizeInto;

QString notEditingMessage() { return QStringLiteral("Dataset not in edit or insert mode"); }

} // namespace

MemTable::MemTable(QObject *parent) : QObject(parent)
{
    MemField *recId = new MemField(this, QStringLiteral("RecId"), FieldKind::Integer, 0, 0, true);
    m_fields.push_back(recId);
    m_byName.insert(QStringLiteral("recid"), recId);
}

MemTable::~MemTable()
{
    // Sources, and the views behind them, must not keep fields or records of a table that is gone.
    const std::vector<DataSource *> sources = std::move(m_sources);
    m_sources.clear();
    for (DataSource *source : sources)
        source->tableDestroyed();
}

MemField *MemTable::addField(const QString &name, FieldKind kind, int size)
{
    Q_ASSERT(!isActive());
    MemField *f = new MemField(this, name, kind, kind == FieldKind::Text ? size : 0, fieldCount(), false);
    f->m_slot = kind == FieldKind::Text ? m_textCount++ : m_numberCount++;
    m_fields.push_back(f);
    m_byName.insert(name.toLower(), f);
    m_pendingTexts.resize(size_t(m_textCount));
    m_pendingNumbers.resize(size_t(m_numberCount), NullNumber);
    return f;
}

MemField *MemTable::findField(const QString &name) const
{
    return m_byName.value(name.toLower(), nullptr);
}

MemField *MemTable::fieldByName(const QString &name) const
{
    MemField *f = findField(name);
    if (!f)
        throw DataError(QStringLiteral("%1: Field '%2' not found").arg(objectName(), name));
    return f;
}

// --- state and cursor ------------------------------------------------------------------------

void MemTable::checkActive() const
{
    if (!isActive())
        throw DataError(QStringLiteral("Cannot perform this operation on a closed dataset"));
}

void MemTable::setState(State state)
{
    if (m_state == state)
        return;
    m_state = state;
    notify(DataNotice::State);
    Q_EMIT stateChanged();
}

void MemTable::clearRecords()
{
    m_arena.clear();
    m_images.assign(1, nullptr);
    m_order.clear();
    m_positions.clear();
    m_positionsValid = true;
    m_index.clear();
    m_indexDirty = true;
    m_lastId = 0;
    m_changeCount = 0;
    m_pos = -1;
    m_eof = m_bof = true;
    m_modified = false;
    m_pendingId = Bookmark::NoRecord;
}

void MemTable::open()
{
    if (isActive())
        return;
    clearRecords();
    m_state = State::Browse;
    notify(DataNotice::Active);
    notify(DataNotice::DataSet);
    Q_EMIT stateChanged();
}

void MemTable::close()
{
    if (!isActive())
        return;
    clearRecords();
    m_state = State::Inactive;
    notify(DataNotice::Active);
    notify(DataNotice::DataSet);
    Q_EMIT stateChanged();
}

void MemTable::beginPending(quint32 recordId)
{
    m_pendingId = recordId;
    const char *image = recordId < m_images.size() ? m_images[recordId] : nullptr;
    for (int s = 0; s < m_textCount; ++s) {
        const QByteArrayView t = image ? textOfImage(image, s) : QByteArrayView();
        m_pendingTexts[size_t(s)].assign(t.data(), size_t(t.size()));
    }
    for (int s = 0; s < m_numberCount; ++s)
        m_pendingNumbers[size_t(s)] = image ? numberOfImage(image, s) : NullNumber;
    m_modified = false;
}

void MemTable::checkBrowseMode()
{
    checkActive();
    if (m_state != State::Edit && m_state != State::Insert)
        return;
    notify(DataNotice::UpdateRecord);
    if (m_modified)
        postPending();
    else
        cancelPending();
}

void MemTable::append()
{
    checkBrowseMode();
    beginPending(Bookmark::NoRecord);
    m_pendingId = m_lastId + 1;
    m_pos = recordCount();
    m_eof = m_bof = true;
    setState(State::Insert);
    notify(DataNotice::Scrolled);
    if (m_eventsEnabled && m_afterInsert)
        m_afterInsert();
}

void MemTable::edit()
{
    checkActive();
    if (m_state == State::Edit || m_state == State::Insert)
        return;
    if (isEmpty()) {
        append();
        return;
    }
    beginPending(m_order[size_t(m_pos)]);
    setState(State::Edit);
}

void MemTable::post()
{
    checkActive();
    if (m_state != State::Edit && m_state != State::Insert)
        return;
    notify(DataNotice::UpdateRecord);
    postPending();
}

quint32 MemTable::appendImage(const char *image)
{
    const quint32 id = ++m_lastId;
    if (m_images.size() <= id)
        m_images.resize(size_t(id) + 1, nullptr);
    m_images[id] = image;
    m_order.push_back(id);
    if (m_positionsValid) {
        if (m_positions.size() <= id)
            m_positions.resize(size_t(id) + 1, Bookmark::NoRecord);
        m_positions[id] = quint32(m_order.size() - 1);
    }
    return id;
}

void MemTable::postPending()
{
    const char *image = storePending();
    ++m_changeCount;
    if (m_state == State::Insert) {
        const quint32 id = appendImage(image);
        m_pos = recordCount() - 1;
        m_eof = m_bof = false;
        m_indexDirty = true;
        m_modified = false;
        m_pendingId = Bookmark::NoRecord;
        setState(State::Browse);
        notify(DataNotice::Inserted, nullptr, m_pos, id);
        for (RecordObserver *observer : std::vector<RecordObserver *>(m_observers))
            observer->recordPosted(*this, m_pos, id, true);
    } else {
        const quint32 id = m_pendingId;
        m_images[id] = image;
        m_indexDirty = true;
        m_modified = false;
        m_pendingId = Bookmark::NoRecord;
        setState(State::Browse);
        notify(DataNotice::Updated, nullptr, m_pos);
        for (RecordObserver *observer : std::vector<RecordObserver *>(m_observers))
            observer->recordPosted(*this, m_pos, id, false);
    }
}

void MemTable::cancel()
{
    checkActive();
    if (m_state != State::Edit && m_state != State::Insert)
        return;
    cancelPending();
}

void MemTable::cancelPending()
{
    const bool inserting = m_state == State::Insert;
    m_modified = false;
    m_pendingId = Bookmark::NoRecord;
    if (inserting) {
        m_pos = recordCount() - 1;
        m_eof = m_bof = isEmpty();
    }
    setState(State::Browse);
    if (inserting)
        notify(DataNotice::Scrolled);
    else
        notify(DataNotice::Record);
}

void MemTable::remove()
{
    checkActive();
    if (m_state == State::Insert) {
        cancelPending();
        return;
    }
    if (isEmpty())
        throw DataError(QStringLiteral("Cannot perform this operation on an empty dataset"));
    if (m_state == State::Edit) {
        m_modified = false;
        m_pendingId = Bookmark::NoRecord;
        setState(State::Browse);
    }
    ++m_changeCount;
    const int removedAt = m_pos;
    const quint32 id = m_order[size_t(removedAt)];
    m_order.erase(m_order.begin() + removedAt);
    m_images[id] = nullptr;
    m_positionsValid = false;
    m_indexDirty = true;
    m_pos = std::min(removedAt, recordCount() - 1);
    m_eof = m_bof = isEmpty();
    notify(DataNotice::Removed, nullptr, removedAt, id);
    for (RecordObserver *observer : std::vector<RecordObserver *>(m_observers))
        observer->recordRemoved(*this, removedAt, id);
}

void MemTable::refresh()
{
    checkBrowseMode();
    notify(DataNotice::DataSet);
}

Bookmark MemTable::bookmark() const
{
    if (!isActive() || m_state == State::Insert || m_pos < 0)
        return Bookmark();
    return Bookmark(m_order[size_t(m_pos)]);
}

bool MemTable::bookmarkValid(Bookmark bookmark) const
{
    return !bookmark.isEmpty() && bookmark.recordId() < m_images.size() && m_images[bookmark.recordId()];
}

void MemTable::gotoBookmark(Bookmark bookmark)
{
    if (bookmark.isEmpty())
        return;
    checkBrowseMode();
    if (!bookmarkValid(bookmark))
        throw DataError(QStringLiteral("Record not found"));
    moveTo(positionOf(bookmark.recordId()));
}

void MemTable::moveTo(int position)
{
    checkBrowseMode();
    if (isEmpty())
        return;
    position = std::clamp(position, 0, recordCount() - 1);
    m_eof = m_bof = false;
    if (position == m_pos)
        return;
    m_pos = position;
    notify(DataNotice::Scrolled);
}

void MemTable::first()
{
    checkBrowseMode();
    m_bof = true;
    m_eof = isEmpty();
    if (!isEmpty() && m_pos != 0) {
        m_pos = 0;
        notify(DataNotice::Scrolled);
    }
}

void MemTable::last()
{
    checkBrowseMode();
    m_eof = true;
    m_bof = isEmpty();
    if (!isEmpty() && m_pos != recordCount() - 1) {
        m_pos = recordCount() - 1;
        notify(DataNotice::Scrolled);
    }
}

void MemTable::next()
{
    checkBrowseMode();
    if (m_pos + 1 < recordCount()) {
        ++m_pos;
        m_eof = m_bof = false;
        notify(DataNotice::Scrolled);
    } else {
        m_eof = true;
    }
}

void MemTable::prior()
{
    checkBrowseMode();
    if (m_pos > 0) {
        --m_pos;
        m_eof = m_bof = false;
        notify(DataNotice::Scrolled);
    } else {
        m_bof = true;
    }
}

void MemTable::disableControls()
{
    ++m_disableCount;
}

void MemTable::enableControls()
{
    if (m_disableCount == 0)
        return;
    if (--m_disableCount == 0)
        notify(DataNotice::DataSet);
}

// --- record images ---------------------------------------------------------------------------
// An image is the record's numbers (8 bytes each), then the end offset of each text (2 bytes
// each), then the texts' bytes one after the other.

QByteArrayView MemTable::textOfImage(const char *image, int slot) const
{
    const char *ends = image + m_numberCount * 8;
    quint16 begin = 0, end = 0;
    if (slot > 0)
        std::memcpy(&begin, ends + (slot - 1) * 2, 2);
    std::memcpy(&end, ends + slot * 2, 2);
    return QByteArrayView(ends + m_textCount * 2 + begin, end - begin);
}

qint64 MemTable::numberOfImage(const char *image, int slot) const
{
    qint64 v;
    std::memcpy(&v, image + slot * 8, 8);
    return v;
}

const char *MemTable::storePending()
{
    std::vector<QByteArrayView> texts(m_pendingTexts.size());
    for (size_t s = 0; s < texts.size(); ++s)
        texts[s] = QByteArrayView(m_pendingTexts[s].data(), qsizetype(m_pendingTexts[s].size()));
    return RecordImage::build(m_arena, m_pendingNumbers.data(), m_numberCount, texts.data(), m_textCount);
}

void MemTable::takeBatchMemory(RecordBatch &batch)
{
    m_arena.adopt(batch.m_arena, false);
}

void MemTable::appendBatch(RecordBatch &batch)
{
    checkBrowseMode();
    m_arena.adopt(batch.m_arena, true);
    if (batch.m_images.empty())
        return;
    const size_t n = batch.m_images.size();
    m_images.reserve(m_images.size() + n);
    m_order.reserve(m_order.size() + n);
    for (const char *image : batch.m_images)
        appendImage(image);
    batch.m_images.clear();
    m_changeCount += n;
    m_pos = recordCount() - 1;
    m_eof = m_bof = false;
    m_indexDirty = true;
    notify(DataNotice::DataSet);
}

const char *MemTable::currentImage() const
{
    if (m_pos < 0 || m_pos >= recordCount())
        return nullptr;
    return m_images[m_order[size_t(m_pos)]];
}

quint32 MemTable::currentRecordId() const
{
    if (m_state == State::Insert || m_state == State::Edit)
        return m_pendingId;
    if (m_pos < 0 || m_pos >= recordCount())
        return Bookmark::NoRecord;
    return m_order[size_t(m_pos)];
}

// --- field values of the current record ------------------------------------------------------

bool MemTable::fieldIsNull(const MemField *field) const
{
    if (field->isCalculated())
        return currentRecordId() == Bookmark::NoRecord;
    const bool pending = m_state == State::Edit || m_state == State::Insert;
    if (field->kind() == FieldKind::Text) {
        if (pending)
            return m_pendingTexts[size_t(field->m_slot)].empty();
        const char *image = currentImage();
        return !image || textOfImage(image, field->m_slot).isEmpty();
    }
    return fieldNumber(field) == NullNumber;
}

qint64 MemTable::fieldNumber(const MemField *field) const
{
    if (field->isCalculated()) {
        const quint32 id = currentRecordId();
        return id == Bookmark::NoRecord ? NullNumber : qint64(id);
    }
    if (m_state == State::Edit || m_state == State::Insert)
        return m_pendingNumbers[size_t(field->m_slot)];
    const char *image = currentImage();
    return image ? numberOfImage(image, field->m_slot) : NullNumber;
}

QString MemTable::fieldText(const MemField *field) const
{
    if (field->kind() == FieldKind::Text) {
        if (m_state == State::Edit || m_state == State::Insert) {
            const std::string &t = m_pendingTexts[size_t(field->m_slot)];
            return AnsiCodec::toUnicode(QByteArrayView(t.data(), qsizetype(t.size())));
        }
        const char *image = currentImage();
        return image ? AnsiCodec::toUnicode(textOfImage(image, field->m_slot)) : QString();
    }
    const qint64 v = fieldNumber(field);
    if (v == NullNumber)
        return QString();
    return field->kind() == FieldKind::DateTime ? m_regional.format(v) : QString::number(v);
}

void MemTable::checkEditing(const MemField *field) const
{
    if (field->isCalculated())
        throw DataError(QStringLiteral("Field '%1' cannot be modified").arg(field->fieldName()));
    if (m_state != State::Edit && m_state != State::Insert)
        throw DataError(notEditingMessage());
}

void MemTable::afterWrite(const MemField *field)
{
    m_modified = true;
    notify(DataNotice::Record, field);
}

void MemTable::setFieldAnsi(const MemField *field, QByteArrayView bytes)
{
    checkEditing(field);
    switch (field->kind()) {
    case FieldKind::Text:
        sanitizeInto(m_pendingTexts[size_t(field->m_slot)], bytes, field->size());
        break;
    case FieldKind::DateTime: {
        qint64 key = NullNumber;
        if (!bytes.isEmpty()) {
            const std::optional<qint64> parsed = m_regional.parse(bytes);
            if (!parsed)
                throw DataError(QStringLiteral("'%1' is not a valid date and time").arg(AnsiCodec::toUnicode(bytes)));
            key = *parsed;
        }
        m_pendingNumbers[size_t(field->m_slot)] = key;
        break;
    }
    case FieldKind::Integer: {
        qint64 v = NullNumber;
        if (!bytes.isEmpty()) {
            bool ok = false;
            v = QByteArray(bytes.data(), bytes.size()).trimmed().toInt(&ok);
            if (!ok)
                throw DataError(QStringLiteral("'%1' is not a valid integer value").arg(AnsiCodec::toUnicode(bytes)));
        }
        m_pendingNumbers[size_t(field->m_slot)] = v;
        break;
    }
    }
    afterWrite(field);
}

void MemTable::setFieldText(const MemField *field, QStringView text)
{
    if (field->kind() == FieldKind::DateTime) {
        checkEditing(field);
        qint64 key = NullNumber;
        if (!text.isEmpty()) {
            const std::optional<qint64> parsed = m_regional.parse(text);
            if (!parsed)
                throw DataError(QStringLiteral("'%1' is not a valid date and time").arg(text));
            key = *parsed;
        }
        m_pendingNumbers[size_t(field->m_slot)] = key;
        afterWrite(field);
        return;
    }
    setFieldAnsi(field, AnsiCodec::fromUnicode(text));
}

void MemTable::setFieldNumber(const MemField *field, qint64 value)
{
    checkEditing(field);
    m_pendingNumbers[size_t(field->m_slot)] = value;
    afterWrite(field);
}

// --- read access by record identity ----------------------------------------------------------

void MemTable::ensurePositions() const
{
    if (m_positionsValid)
        return;
    m_positions.assign(m_images.size(), Bookmark::NoRecord);
    for (size_t i = 0; i < m_order.size(); ++i)
        m_positions[m_order[i]] = quint32(i);
    m_positionsValid = true;
}

int MemTable::positionOf(quint32 recordId) const
{
    if (recordId >= m_images.size() || !m_images[recordId])
        return -1;
    ensurePositions();
    return int(m_positions[recordId]);
}

QByteArrayView MemTable::ansiText(quint32 recordId, const MemField *field) const
{
    if (field->kind() != FieldKind::Text || recordId >= m_images.size() || !m_images[recordId])
        return {};
    return textOfImage(m_images[recordId], field->m_slot);
}

qint64 MemTable::dateTimeKey(quint32 recordId, const MemField *field) const
{
    if (field->isCalculated())
        return qint64(recordId);
    if (field->kind() == FieldKind::Text || recordId >= m_images.size() || !m_images[recordId])
        return NullNumber;
    return numberOfImage(m_images[recordId], field->m_slot);
}

bool MemTable::isNull(quint32 recordId, const MemField *field) const
{
    if (field->kind() == FieldKind::Text)
        return ansiText(recordId, field).isEmpty();
    return dateTimeKey(recordId, field) == NullNumber;
}

QString MemTable::text(quint32 recordId, const MemField *field) const
{
    if (field->kind() == FieldKind::Text)
        return AnsiCodec::toUnicode(ansiText(recordId, field));
    const qint64 v = dateTimeKey(recordId, field);
    if (v == NullNumber)
        return QString();
    return field->kind() == FieldKind::DateTime ? m_regional.format(v) : QString::number(v);
}

void MemTable::appendAnsiText(QByteArray &out, quint32 recordId, const MemField *field) const
{
    switch (field->kind()) {
    case FieldKind::Text: out.append(ansiText(recordId, field)); break;
    case FieldKind::DateTime: m_regional.appendFormatted(out, dateTimeKey(recordId, field)); break;
    case FieldKind::Integer: {
        const qint64 v = dateTimeKey(recordId, field);
        if (v != NullNumber)
            out.append(QByteArray::number(v));
        break;
    }
    }
}

// --- index -----------------------------------------------------------------------------------

void MemTable::ensureIndex() const
{
    if (!m_indexDirty)
        return;
    m_index = m_order;
    std::stable_sort(m_index.begin(), m_index.end(), [this](quint32 a, quint32 b) {
        return ansiText(a, m_indexField) < ansiText(b, m_indexField);
    });
    m_indexDirty = false;
}

bool MemTable::locate(const QString &value)
{
    checkBrowseMode();
    if (!m_indexField)
        return false;
    ensureIndex();
    const QByteArray key = AnsiCodec::fromUnicode(value);
    const auto it = std::lower_bound(m_index.begin(), m_index.end(), key, [this](quint32 id, const QByteArray &k) {
        return ansiText(id, m_indexField) < QByteArrayView(k);
    });
    if (it == m_index.end() || ansiText(*it, m_indexField) != QByteArrayView(key))
        return false;
    moveTo(positionOf(*it));
    return true;
}

// --- views -----------------------------------------------------------------------------------

void MemTable::addSource(DataSource *source)
{
    m_sources.push_back(source);
}

void MemTable::addRecordObserver(RecordObserver *observer)
{
    if (std::find(m_observers.begin(), m_observers.end(), observer) == m_observers.end())
        m_observers.push_back(observer);
}

void MemTable::removeRecordObserver(RecordObserver *observer)
{
    m_observers.erase(std::remove(m_observers.begin(), m_observers.end(), observer), m_observers.end());
}

void MemTable::removeSource(DataSource *source)
{
    m_sources.erase(std::remove(m_sources.begin(), m_sources.end(), source), m_sources.end());
}

void MemTable::notify(DataNotice notice, const MemField *field, int position, quint32 id)
{
    if (m_disableCount > 0 && notice != DataNotice::UpdateRecord)
        return;
    const std::vector<DataSource *> sources = m_sources;
    for (DataSource *source : sources) {
        if (std::find(m_sources.begin(), m_sources.end(), source) != m_sources.end())
            source->notify(notice, field, position, id);
    }
}
