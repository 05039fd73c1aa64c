// Any bytes as an archive: reading never crashes, and what the program writes reads back to the
// same calls and writes the same bytes again.
#include "data/UDM1.h"
#include "platform/memdata/DataError.h"
#include "platform/memdata/DateTimeKey.h"
#include "platform/memdata/MemField.h"
#include "platform/memdata/MemTable.h"

#include <QBuffer>
#include <cstdio>
#include <cstdlib>

namespace {

QByteArray written(TDM1 &dm)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    if (!dm.WriteArchive(buffer))
        std::abort();
    return buffer.data();
}

// Same calls: the same texts, and the same date-times to the second (milliseconds are not written).
bool sameCalls(const TDM1 &a, const TDM1 &b)
{
    const MemTable *ta = a.ScadData;
    const MemTable *tb = b.ScadData;
    if (ta->recordCount() != tb->recordCount())
        return false;
    for (int r = 0; r < ta->recordCount(); ++r) {
        const quint32 ia = ta->recordOrder()[size_t(r)], ib = tb->recordOrder()[size_t(r)];
        for (int i = 1; i < ta->fieldCount(); ++i) {
            const MemField *fa = ta->field(i), *fb = tb->field(i);
            if (fa->kind() == FieldKind::Text) {
                if (ta->ansiText(ia, fa) != tb->ansiText(ib, fb))
                    return false;
            } else {
                const qint64 ka = ta->dateTimeKey(ia, fa), kb = tb->dateTimeKey(ib, fb);
                if (ka != kb && (ka == DateTimeKey::Null || ka - ka % 1000 != kb))
                    return false;
            }
        }
    }
    return true;
}

void fail(const char *what)
{
    std::fprintf(stderr, "%s\n", what);
    std::abort();
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    qputenv("LC_ALL", "it_IT.UTF-8");
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    // One data module each for the whole run, as the program has: reopening empties the store.
    static TDM1 first;
    static TDM1 second;
    first.ScadData->close();
    first.ScadData->open();
    try {
        first.ReadArchive(QByteArrayView(reinterpret_cast<const char *>(data), qsizetype(size)));
    } catch (const DataError &) {
        // A file the program did not write may be refused; the store must still work.
    }
    if (first.ScadData->state() != MemTable::State::Browse || first.ScadData->controlsDisabled()
        || !first.ScadData->eventsEnabled())
        fail("the store was left in the middle of a reading");
    const QByteArray bytes = written(first);

    second.ScadData->close();
    second.ScadData->open();
    try {
        second.ReadArchive(bytes);
    } catch (const DataError &e) {
        fail(qPrintable("a written archive was refused: " + e.message()));
    }
    if (!sameCalls(first, second))
        fail("a written archive read back to other calls");
    if (written(second) != bytes)
        fail("a written archive wrote other bytes the second time");
    return 0;
}
