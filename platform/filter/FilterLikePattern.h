#pragma once

#include <QString>
#include <QStringView>

// A like pattern: "_" stands for any one character and "%" for any series of characters,
// possibly empty; every other character stands for itself without regard to letter case.
// Patterns of the common shapes are matched without the general algorithm.
class FilterLikePattern
{
public:
    static constexpr char16_t AnySeries = u'%';
    static constexpr char16_t SingleCharacter = u'_';

    // Exact: no wildcard at all; BeginsWith "abc%", EndsWith "%abc", Contains "%abc%", where
    // "abc" holds no "%"; General: anything else.
    enum class Shape { Exact, BeginsWith, EndsWith, Contains, General };

    explicit FilterLikePattern(const QString &pattern);

    const QString &pattern() const { return m_pattern; }
    Shape shape() const { return m_shape; }
    // The pattern without the wildcards that make its shape.
    const QString &literal() const { return m_literal; }

    bool matches(QStringView text) const;

private:
    bool matchesGeneral(QStringView text) const;
    bool containsFolded(QStringView text) const;

    QString m_pattern;
    QString m_literal;
    QString m_folded; // the pattern case-folded, for the general algorithm
    QString m_foldedLiteral;
    Shape m_shape = Shape::General;
    bool m_literalHasSingle = false;
};
