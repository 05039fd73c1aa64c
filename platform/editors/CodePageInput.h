#pragma once

#include <QString>
#include <QStringView>

// What the editors take of typed or pasted text: only characters that Windows-1252, the code
// page of the archive, holds, so that what a box shows is what the archive keeps. A letter the
// code page lacks becomes its base letter when the code page holds that; any other character is
// left out. Changing letter case keeps the text's length and stays within the code page.
class CodePageInput
{
public:
    // The text as the code page can hold it; refused, when given, grows by the number of
    // characters left out.
    static QString fit(QStringView text, qsizetype *refused = nullptr);
    // The letter's base letter that the code page holds, or 0 when there is none.
    static char32_t baseLetter(char32_t letter);

    // Each character's own capital or small letter where the code page holds it; a letter whose
    // counterpart is two letters or lies outside the code page stays as it is.
    static QString toUpper(QStringView text);
    static QString toLower(QStringView text);
};
