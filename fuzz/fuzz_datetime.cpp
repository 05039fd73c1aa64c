// Any text as a date-time, under Italian and American settings: reading never crashes, the text
// and byte readers agree, and a value read is written and read back unchanged (to the second).
#include "platform/memdata/AnsiCodec.h"
#include "platform/memdata/DateTimeKey.h"
#include "platform/memdata/RegionalSettings.h"

#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size == 0)
        return 0;
    static const RegionalSettings italian = RegionalSettings::fromLocaleName(QStringLiteral("it_IT"));
    static const RegionalSettings american = RegionalSettings::fromLocaleName(QStringLiteral("en_US"));
    const RegionalSettings &r = data[0] & 1 ? american : italian;
    const QByteArrayView bytes(reinterpret_cast<const char *>(data + 1), qsizetype(size - 1));

    const std::optional<qint64> fromBytes = r.parse(bytes);
    const std::optional<qint64> fromText = r.parse(AnsiCodec::toUnicode(bytes));
    if (fromBytes != fromText) {
        std::fprintf(stderr, "byte and text readers disagree\n");
        std::abort();
    }
    if (!fromBytes)
        return 0;
    const qint64 whole = *fromBytes - DateTimeKey::msOfDay(*fromBytes) % 1000;
    QByteArray out;
    r.appendFormatted(out, *fromBytes);
    if (out != AnsiCodec::fromUnicode(r.format(*fromBytes)) || r.parse(out) != whole) {
        std::fprintf(stderr, "'%s' does not read back\n", out.constData());
        std::abort();
    }
    return 0;
}
