// Any bytes as a filter file: reading never crashes, a refused file is refused with an error, and
// a filter that was read writes back to JSON that reads again to the same JSON.
#include "platform/filter/FilterCriteria.h"
#include "platform/filter/FilterFile.h"
#include "platform/filter/FilterValueSource.h"
#include "platform/memdata/DataError.h"

#include <cstdio>
#include <cstdlib>

namespace {

// Three columns, one of each kind, and no rows: reading a file needs only the columns.
class Columns : public FilterValueSource
{
public:
    int columnCount() const override { return 3; }
    FilterFieldKind kind(int column) const override
    {
        return column == 0 ? FilterFieldKind::Text : column == 1 ? FilterFieldKind::DateTime : FilterFieldKind::Integer;
    }
    QString columnName(int column) const override
    {
        return column == 0 ? QStringLiteral("Nome") : column == 1 ? QStringLiteral("Quando") : QStringLiteral("Numero");
    }
    QString columnCaption(int column) const override { return columnName(column); }
    bool isNull(int, int) const override { return true; }
    QStringView text(int, int, QString &buffer) const override { return buffer; }
    qint64 integer(int, int) const override { return 0; }
    qint64 dateTimeKey(int, int) const override { return 0; }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static const Columns columns;
    FilterCriteria criteria;
    try {
        criteria = FilterFile::fromJson(QByteArray(reinterpret_cast<const char *>(data), qsizetype(size)), columns);
    } catch (const DataError &) {
        return 0;
    }
    const QByteArray written = FilterFile::toJson(criteria, columns);
    try {
        const FilterCriteria again = FilterFile::fromJson(written, columns);
        if (FilterFile::toJson(again, columns) != written) {
            std::fprintf(stderr, "a written filter reads back to another filter\n");
            std::abort();
        }
    } catch (const DataError &e) {
        std::fprintf(stderr, "a written filter was refused: %s\n", qPrintable(e.message()));
        std::abort();
    }
    return 0;
}
