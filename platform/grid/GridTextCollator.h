#pragma once

#include <QByteArrayView>
#include <QtGlobal>

#include <array>

// Orders Windows-1252 texts the way a reader expects a list to be ordered: letters without regard
// to case or accents first, then lower case before upper case and plain before accented letters.
// A blank text comes before any other. Comparison works on the bytes, with no conversion.
class GridTextCollator
{
public:
    GridTextCollator();

    int compare(QByteArrayView a, QByteArrayView b) const;
    // The first eight primary weights packed so that comparing the numbers orders as compare()
    // does on its first pass; equal prefixes need compare() to decide.
    quint64 prefixKey(QByteArrayView text) const;
    // The same for the second pass; for texts of at most eight characters the two keys together
    // order exactly as compare() does.
    quint64 secondaryPrefixKey(QByteArrayView text) const;

private:
    std::array<quint8, 256> m_primary{};
    std::array<quint8, 256> m_secondary{};
};
