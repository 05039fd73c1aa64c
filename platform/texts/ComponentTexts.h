#pragma once

#include "platform/texts/ComponentText.h"

#include <QString>

// The one place the components read their built-in texts from. A replacement is keyed by the
// default text without regard to letter case, so one entry serves every text with those letters;
// the first spelling registered stays the key, later registrations only change the text.
// The table is process-wide on purpose: it is filled once at start-up, before any component
// exists, and only read afterwards (GUI thread only, no locking).
class ComponentTexts
{
public:
    // The registered replacement, or the English default when there is none.
    static QString text(const ComponentText &text);

    static void registerReplacement(const ComponentText &text, const QString &replacement);
    static void registerReplacement(const QString &defaultText, const QString &replacement);

    static int replacementCount();
    // The key as first registered for this default (any case), or a null string.
    static QString replacementKey(const QString &defaultText);

    // Empties the table; for tests that need the English defaults back.
    static void clearReplacements();
};
