#pragma once

#include <QByteArrayView>
#include <QString>

// What each fuzz target does with one input, shared by the libFuzzer executables and by the
// ordinary test suite, which replays every kept crashing input through the same function. Each
// gives an empty text when the code under test behaved, else what went wrong; a crash or a
// sanitizer report is a finding as well.
namespace FuzzEntries {

// The roster reader as a whole, as the roster and classmate screens call it (RosterNames): the
// bytes become a workbook file in scratchFolder (a RAM folder when fuzzing), which is opened,
// checked (compound file, BIFF records) and read by FreeXL; the first column of the active
// sheet's used range becomes grid names. A broken workbook must end in RosterWorkbookError, and
// the automation holder must be empty afterwards either way.
QString rosterWorkbook(QByteArrayView bytes, const QString& scratchFolder);

// The counter and line parse of an existing statistics file, without a lock or a disk: what the
// save writes after the bytes, checked line by line against the bytes; a second save into the
// result must succeed as well.
QString statisticsFile(QByteArrayView bytes);

// The statistics reader's check of one record line. The first byte chooses the class (and
// whether the rest is a line of its own or a patch into a valid record: two bytes of offset,
// then the bytes written there). A valid record must give back its line place by place, an
// invalid one must say why, and the reader must read line 1 as the counter exactly as the saver.
QString recordLine(QByteArrayView bytes);

} // namespace FuzzEntries
