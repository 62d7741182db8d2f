#pragma once

// Statistics records written out place by place as bytes, for the tests of the readers: nothing
// of the program's own record or encoding code is used for them.

#include <QByteArray>
#include <QByteArrayList>

namespace recordbytes {

inline QByteArray place(const QByteArray& value)
{
    return value.leftJustified(12, ' ');
}

inline QByteArray places(const QByteArrayList& values)
{
    QByteArray bytes;
    for (const QByteArray& value : values)
        bytes += place(value);
    return bytes;
}

// The grades of recordOf8() in record order.
inline QByteArrayList gradesOf8()
{
    return {"4.3", "3", "2.7", "5", "4", "3.7", "2", "2.3", "4.7", "3.3"};
}

// A respondent of class 8 in record order. "Орлова", "Ли" followed by a no-break space, and "Ёж"
// in Windows-1251.
inline QByteArray recordOf8()
{
    return place("\xce\xf0\xeb\xee\xe2\xe0") + place("0") + places(gradesOf8()) +
           places({"0", "10", "20", "30", "40", "60", "90", "0", "10", "20"}) +
           places({"0", "5", "10", "20", "30", "40", "0", "5", "10", "20"}) +
           places({"0", "1", "2", "3", "4", "5", "6", "7", "8", "9"}) + places({"7", "1", "10"}) +
           places({"2", "9", "6"}) + places({"4", "0", "9", "1", "6"}) +
           places({"\xcb\xe8\xa0", "", "", "\xa8\xe6", "", "", "", "", "", "", "", ""}) +
           places({"95", "751"});
}

// Class 5 has no physics and no chemistry: their places hold "0".
inline QByteArray recordOf5()
{
    return place("") + place("1") +
           places({"5", "0", "0", "4", "4.7", "3", "2.3", "5", "4", "3.7"}) +
           places({"90", "0", "0", "10", "20", "30", "40", "60", "0", "10"}) +
           places({"40", "0", "0", "30", "20", "10", "5", "0", "5", "10"}) +
           places({"9", "0", "0", "7", "6", "5", "4", "3", "2", "1"}) + places({"1", "10", "4"}) +
           places({"8", "9", "6"}) + places({"0", "0", "0", "0", "0"}) + QByteArray(144, ' ') +
           places({"1000", "-5"});
}

// The record with the bytes from position `at` (counted from 1) replaced.
inline QByteArray changed(QByteArray record, int at, const QByteArray& bytes)
{
    return record.replace(at - 1, bytes.size(), bytes);
}

// Where the classmate names start: place n (from 0) of the classmate field.
inline int classmatePosition(int n)
{
    return 637 + 12 * n;
}

inline QByteArray fileOf(const QByteArrayList& lines, const QByteArray& lineEnd = "\r\n")
{
    QByteArray bytes;
    for (const QByteArray& line : lines)
        bytes += line + lineEnd;
    return bytes;
}

} // namespace recordbytes
