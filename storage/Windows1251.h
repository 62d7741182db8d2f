#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

// The Cyrillic ANSI code page of the target workstations, as a table of our own: the statistics
// files are written in it whatever code page or text library the machine running the program has.

// True when the code page has a byte for the code point. The byte 0x98 has no character.
bool inWindows1251(char32_t codePoint);

// One byte per character; a character without a byte becomes '?' (a surrogate pair is one
// character, so is a lone surrogate). Meant for text that was already cleaned.
QByteArray toWindows1251(const QString& text);

// One character per byte; the undefined byte 0x98 becomes U+FFFD.
QString fromWindows1251(QByteArrayView bytes);
