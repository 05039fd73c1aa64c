#include "platform/filter/FilterLikePattern.h"

namespace {

inline char16_t folded(char16_t c)
{
    if (c < 0x80)
        return (c >= u'A' && c <= u'Z') ? char16_t(c + 32) : c;
    return QChar::toCaseFolded(c);
}

} // namespace

FilterLikePattern::FilterLikePattern(const QString &pattern)
    : m_pattern(pattern), m_folded(pattern.toCaseFolded())
{
    const QChar any(AnySeries);
    const bool starts = pattern.startsWith(any);
    const bool ends = pattern.endsWith(any);
    const QString inner = pattern.mid(starts ? 1 : 0, pattern.size() - (starts ? 1 : 0) - (ends && pattern.size() > 1 ? 1 : 0));

    if (!inner.isEmpty() && !inner.contains(any)) {
        m_literal = inner;
        m_literalHasSingle = inner.contains(QChar(SingleCharacter));
        if (starts && ends)
            m_shape = Shape::Contains;
        else if (starts)
            m_shape = Shape::EndsWith;
        else if (ends)
            m_shape = Shape::BeginsWith;
        else
            m_shape = Shape::Exact;
    } else {
        m_literal = pattern;
    }
    m_foldedLiteral = m_literal.toCaseFolded();
}

bool FilterLikePattern::matches(QStringView text) const
{
    if (m_literalHasSingle)
        return matchesGeneral(text);
    switch (m_shape) {
    case Shape::Exact:
        return text.compare(m_literal, Qt::CaseInsensitive) == 0;
    case Shape::BeginsWith:
        return text.startsWith(m_literal, Qt::CaseInsensitive);
    case Shape::EndsWith:
        return text.endsWith(m_literal, Qt::CaseInsensitive);
    case Shape::Contains:
        return containsFolded(text);
    case Shape::General:
        break;
    }
    return matchesGeneral(text);
}

// A plain scan on folded characters: for the short needles people type it beats a matcher,
// which folds through the full Unicode tables at every step.
bool FilterLikePattern::containsFolded(QStringView text) const
{
    const char16_t *t = reinterpret_cast<const char16_t *>(text.utf16());
    const char16_t *l = reinterpret_cast<const char16_t *>(m_foldedLiteral.constData());
    const qsizetype n = text.size();
    const qsizetype m = m_foldedLiteral.size();
    for (qsizetype i = 0; i + m <= n; ++i) {
        if (folded(t[i]) != l[0])
            continue;
        qsizetype k = 1;
        while (k < m && folded(t[i + k]) == l[k])
            ++k;
        if (k == m)
            return true;
    }
    return false;
}

// Greedy matching that backs up to the last "%" on a mismatch: linear for the usual patterns,
// never worse than text length times pattern length.
bool FilterLikePattern::matchesGeneral(QStringView text) const
{
    const char16_t *p = reinterpret_cast<const char16_t *>(m_folded.constData());
    const qsizetype m = m_folded.size();
    const qsizetype n = text.size();
    qsizetype i = 0;
    qsizetype j = 0;
    qsizetype star = -1;
    qsizetype mark = 0;
    while (i < n) {
        if (j < m && p[j] == AnySeries) {
            star = j++;
            mark = i;
        } else if (j < m && (p[j] == SingleCharacter || p[j] == folded(text[i].unicode()))) {
            ++i;
            ++j;
        } else if (star >= 0) {
            j = star + 1;
            i = ++mark;
        } else {
            return false;
        }
    }
    while (j < m && p[j] == AnySeries)
        ++j;
    return j == m;
}
