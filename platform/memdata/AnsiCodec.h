#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

// Windows-1252, the code page the archive is written in: one byte per character.
class AnsiCodec
{
public:
    static QString toUnicode(QByteArrayView bytes);
    static void appendUnicode(QString &out, QByteArrayView bytes);
    // A character outside the code page becomes "?"; a surrogate pair counts as one character.
    static QByteArray fromUnicode(QStringView text);
    static char32_t decode(unsigned char byte) { return table()[byte]; }
    // Whether the code page holds the character, so that it survives a round trip.
    static bool holds(char32_t u);

private:
    static const char32_t *table();
};
