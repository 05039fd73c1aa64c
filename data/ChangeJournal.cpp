#include "ChangeJournal.h"

#include "platform/memdata/DataError.h"
#include "platform/memdata/MemField.h"
#include "platform/memdata/MemTable.h"

#include <QDir>
#include <QFileInfo>
#include <QScopeGuard>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace {

// Splits at every TAB, keeping empty parts: a journal line always has all its values.
std::vector<QByteArrayView> splitAll(QByteArrayView line)
{
    std::vector<QByteArrayView> parts;
    for (;;) {
        const qsizetype tab = line.indexOf('\t');
        if (tab < 0) {
            parts.push_back(line);
            return parts;
        }
        parts.push_back(line.first(tab));
        line = line.sliced(tab + 1);
    }
}

QString nativePath(const QString &fileName) { return QDir::toNativeSeparators(fileName); }

// A new name in a folder lasts only once the folder itself is on the disk.
void syncFolder(const QString &folder)
{
    const int fd = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

bool parsePosition(QByteArrayView text, int *position)
{
    bool ok = false;
    *position = text.toByteArray().toInt(&ok);
    return ok && *position >= 0;
}

} // namespace

ChangeJournal::ChangeJournal(MemTable *table, const QString &fileName) : m_table(table), m_fileName(fileName)
{
    for (int i = 0; i < table->fieldCount(); ++i) {
        if (!table->field(i)->isCalculated())
            m_fields.push_back(table->field(i));
    }
    m_file.setFileName(fileName);
}

ChangeJournal::~ChangeJournal()
{
    detach();
}

QByteArray ChangeJournal::checksum(QByteArrayView payload)
{
    return QByteArray::number(quint32(ArchiveIdentity::hash(payload)), 16).rightJustified(8, '0');
}

void ChangeJournal::detach()
{
    if (m_attached)
        m_table->removeRecordObserver(this);
    m_attached = false;
    m_file.close();
}

bool ChangeJournal::canBeWritten() const
{
    const QFileInfo info(m_fileName);
    if (info.exists())
        return info.isWritable();
    // The folders missing on the way are made at the first change.
    QString folder = info.path();
    while (!QFileInfo::exists(folder)) {
        const QString parent = QFileInfo(folder).path();
        if (parent == folder)
            return false;
        folder = parent;
    }
    return QFileInfo(folder).isDir() && QFileInfo(folder).isWritable();
}

QString ChangeJournal::asideName(const QDateTime &now) const
{
    const QFileInfo info(m_fileName);
    const QString stem = info.path() + u'/' + info.completeBaseName() + u'-' + now.toString(QStringLiteral("yyyyMMdd-HHmmss"));
    QString candidate = stem + QStringLiteral(".jnl");
    for (int n = 2; QFileInfo::exists(candidate); ++n)
        candidate = stem + u'-' + QString::number(n) + QStringLiteral(".jnl");
    return candidate;
}

ChangeJournal::Recovery ChangeJournal::recover(const ArchiveIdentity &archive, const QDateTime &now)
{
    detach();
    m_archive = archive;
    m_failed = false;
    Recovery recovery;

    QFile old(m_fileName);
    if (old.open(QIODevice::ReadOnly)) {
        const QByteArray content = old.readAll();
        old.close();
        const qsizetype headerEnd = content.indexOf('\n');
        if (headerEnd < 0) {
            // Not even the first line was finished: no change was ever reported done.
            QFile::resize(m_fileName, 0);
        } else {
            const QByteArrayView header = QByteArrayView(content).first(headerEnd);
            const std::vector<QByteArrayView> parts = splitAll(header);
            ArchiveIdentity named;
            const bool applies = parts.size() == 3 && header.size() > 9 && parts[1] == "A"
                                 && parts[0] == checksum(header.sliced(9))
                                 && ArchiveIdentity::fromText(parts[2], &named) && named == archive;
            if (!applies) {
                recovery.foreign = true;
                recovery.setAside = asideName(now);
                if (!old.rename(recovery.setAside))
                    throw DataError(QStringLiteral("Il giornale delle modifiche \"%1\" non si puo' mettere da parte: %2")
                                        .arg(nativePath(m_fileName), old.errorString()));
                syncFolder(QFileInfo(m_fileName).path());
            } else {
                qsizetype validEnd = headerEnd + 1;
                replay(content, headerEnd + 1, &recovery, &validEnd);
                if (!recovery.problem.isEmpty()) {
                    // Kept whole beside, and cut back to what was replayed, so the changes of
                    // this run follow the ones the table now holds.
                    recovery.setAside = asideName(now);
                    QFile::copy(m_fileName, recovery.setAside);
                }
                if (validEnd < content.size())
                    QFile::resize(m_fileName, validEnd);
            }
        }
    }
    m_table->addRecordObserver(this);
    m_attached = true;
    return recovery;
}

void ChangeJournal::replay(const QByteArray &content, qsizetype from, Recovery *recovery, qsizetype *validEnd)
{
    const bool events = m_table->eventsEnabled();
    m_table->setEventsEnabled(false);
    m_table->disableControls();
    const auto restore = qScopeGuard([&] {
        if (m_table->state() != MemTable::State::Browse)
            m_table->cancel();
        m_table->setEventsEnabled(events);
        m_table->first();
        m_table->enableControls();
    });
    int lineNumber = 1;
    qsizetype pos = from;
    while (pos < content.size()) {
        ++lineNumber;
        const qsizetype end = content.indexOf('\n', pos);
        if (end < 0)
            return; // the last line was being written
        try {
            apply(QByteArrayView(content).sliced(pos, end - pos));
        } catch (const DataError &e) {
            recovery->problem = QStringLiteral("riga %1: %2").arg(lineNumber).arg(e.message());
            return;
        }
        ++recovery->replayed;
        pos = end + 1;
        *validEnd = pos;
    }
}

void ChangeJournal::apply(QByteArrayView line)
{
    const std::vector<QByteArrayView> parts = splitAll(line);
    if (parts.size() < 3 || line.size() < 9 || parts[0] != checksum(line.sliced(9)))
        throw DataError(QStringLiteral("la riga e' danneggiata"));
    int position = 0;
    if (!parsePosition(parts[2], &position))
        throw DataError(QStringLiteral("la posizione non si legge"));
    const std::vector<QByteArrayView> values(parts.begin() + 3, parts.end());
    if (parts[1] == "I") {
        if (position != m_table->recordCount() || values.size() != m_fields.size())
            throw DataError(QStringLiteral("la nuova chiamata non si applica"));
        m_table->append();
        setFields(values);
        m_table->post();
    } else if (parts[1] == "U") {
        if (position >= m_table->recordCount() || values.size() != m_fields.size())
            throw DataError(QStringLiteral("la modifica non si applica"));
        m_table->moveTo(position);
        m_table->edit();
        setFields(values);
        m_table->post();
    } else if (parts[1] == "D") {
        if (position >= m_table->recordCount() || !values.empty())
            throw DataError(QStringLiteral("la cancellazione non si applica"));
        m_table->moveTo(position);
        m_table->remove();
    } else {
        throw DataError(QStringLiteral("tipo di modifica sconosciuto"));
    }
}

void ChangeJournal::setFields(const std::vector<QByteArrayView> &values)
{
    for (size_t i = 0; i < values.size(); ++i)
        const_cast<MemField *>(m_fields[i])->setAsAnsi(values[i]);
}

void ChangeJournal::recordPosted(const MemTable &table, int position, quint32 recordId, bool inserted)
{
    QByteArray payload;
    payload.reserve(1024);
    payload += inserted ? "I\t" : "U\t";
    payload += QByteArray::number(position);
    for (const MemField *field : m_fields) {
        payload += '\t';
        table.appendAnsiText(payload, recordId, field);
    }
    write(std::move(payload));
}

void ChangeJournal::recordRemoved(const MemTable &, int position, quint32)
{
    write("D\t" + QByteArray::number(position));
}

void ChangeJournal::openForAppend()
{
    if (m_file.isOpen())
        return;
    const QFileInfo info(m_fileName);
    const bool fresh = !info.exists() || info.size() == 0;
    if (fresh)
        QDir().mkpath(info.path());
    if (!m_file.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Unbuffered))
        throw DataError(m_file.errorString());
    if (fresh) {
        const QByteArray payload = "A\t" + m_archive.toText();
        const QByteArray line = checksum(payload) + '\t' + payload + '\n';
        if (m_file.write(line) != line.size() || ::fdatasync(m_file.handle()) != 0)
            throw DataError(m_file.errorString());
        syncFolder(info.path());
    }
}

void ChangeJournal::write(QByteArray payload)
{
    if (m_failed)
        return; // reported once; what follows would not replay onto a journal with a gap
    errno = 0;
    try {
        openForAppend();
        const QByteArray line = checksum(payload) + '\t' + payload + '\n';
        if (m_file.write(line) != line.size())
            throw DataError(QString::fromLocal8Bit(strerror(errno ? errno : EIO)));
        if (::fdatasync(m_file.handle()) != 0)
            throw DataError(QString::fromLocal8Bit(strerror(errno)));
    } catch (const DataError &e) {
        m_failed = true;
        m_file.close();
        throw DataError(QStringLiteral("Il giornale delle modifiche \"%1\" non si puo' scrivere (%2): le modifiche da qui in "
                                       "avanti saranno salvate solo all'uscita")
                            .arg(nativePath(m_fileName), e.message()));
    }
}

void ChangeJournal::discard()
{
    detach();
    if (QFile::exists(m_fileName) && QFile::remove(m_fileName))
        syncFolder(QFileInfo(m_fileName).path());
}
