#pragma once

#include <QTest>
#include <QWidget>

// Types text into a widget key by key, as a keyboard with a Russian layout delivers it.
// QTest::keyClicks covers Latin-1 only; this sends every other letter with its own key code.
inline void typeText(QWidget* widget, const QString& text)
{
    for (const QChar ch : text) {
        const auto key = static_cast<Qt::Key>(ch.toUpper().unicode());
        QTest::sendKeyEvent(QTest::Click, widget, key, QString(ch), Qt::NoModifier);
    }
}
