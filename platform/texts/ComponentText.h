#pragma once

#include <QString>

#include <cstring>

// One built-in text of a component: the group it belongs to, its name within the group and what it
// says in English. Plain literals, so the catalogues cost nothing until a text is read.
struct ComponentText
{
    const char *group;
    const char *id;
    const char *defaultText; // ASCII

    QString defaultString() const { return QString::fromLatin1(defaultText); }

    friend bool operator==(const ComponentText &a, const ComponentText &b)
    {
        return std::strcmp(a.group, b.group) == 0 && std::strcmp(a.id, b.id) == 0;
    }
    friend bool operator!=(const ComponentText &a, const ComponentText &b) { return !(a == b); }
};
