#include "platform/texts/ComponentTexts.h"

#include <QHash>

namespace {

struct Replacement
{
    QString key;
    QString text;
};

// Folded default text -> replacement.
QHash<QString, Replacement> &replacements()
{
    static QHash<QString, Replacement> table;
    return table;
}

QString foldedKey(const QString &defaultText)
{
    return defaultText.toCaseFolded();
}

} // namespace

QString ComponentTexts::text(const ComponentText &text)
{
    const QString defaultText = text.defaultString();
    const auto &table = replacements();
    if (table.isEmpty())
        return defaultText;
    const auto it = table.constFind(foldedKey(defaultText));
    return it == table.constEnd() ? defaultText : it->text;
}

void ComponentTexts::registerReplacement(const ComponentText &text, const QString &replacement)
{
    registerReplacement(text.defaultString(), replacement);
}

void ComponentTexts::registerReplacement(const QString &defaultText, const QString &replacement)
{
    auto &table = replacements();
    const QString folded = foldedKey(defaultText);
    const auto it = table.find(folded);
    if (it == table.end())
        table.insert(folded, Replacement{defaultText, replacement});
    else
        it->text = replacement;
}

int ComponentTexts::replacementCount()
{
    return int(replacements().size());
}

QString ComponentTexts::replacementKey(const QString &defaultText)
{
    const auto &table = replacements();
    const auto it = table.constFind(foldedKey(defaultText));
    return it == table.constEnd() ? QString() : it->key;
}

void ComponentTexts::clearReplacements()
{
    replacements().clear();
}
