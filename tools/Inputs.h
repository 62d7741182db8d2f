#pragma once

#include <QString>
#include <QStringList>

// The PATH arguments of export, check and report: statistics files, STAT folders, or working
// folders that hold a STAT folder.
namespace SurveyData {

struct Inputs
{
    QStringList files;  // statistics files, each once, in name order
    QStringList errors; // Russian, one per PATH that gave nothing to read
};

// A file is taken as given, whatever its name (the reader then says what is wrong with it). A
// folder gives the files in it whose names follow the rule of statistics files; a folder with
// a STAT folder inside gives the files of that one. A missing path, or a folder without any
// statistics file, is an error.
Inputs collectInputs(const QStringList& paths);

} // namespace SurveyData
