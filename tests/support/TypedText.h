#pragma once

#include <QStringView>
#include <QTest>
#include <QWidget>

// Types text as a keyboard would, one key per character, any character at all: unlike
// QTest::keyClicks, which sends only Latin-1, and a character outside the Basic Multilingual
// Plane in two halves.
inline void typeText(QWidget *widget, QStringView text)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        const qsizetype n = text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate() ? 2 : 1;
        QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, text.mid(i, n).toString(), Qt::NoModifier);
        i += n - 1;
    }
}
