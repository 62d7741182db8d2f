#pragma once

#include "tools/ReportModel.h"
#include "tools/ReportSociomatrix.h"

#include <QString>
#include <optional>
#include <vector>

// The class report as one self-contained HTML page: styles inline, charts as inline SVG, no
// script and nothing fetched. The markup is well-formed XML as well, so the tests read it with an
// XML reader.
namespace SurveyData::Report {

struct ClassReport
{
    ClassSummary summary;
    std::optional<Sociomatrix> matrix; // none when the file holds no classmate choices
    int leftOut = 0;                   // invalid records of the file, not in the figures
};

struct ReportInput
{
    std::vector<ClassReport> classes; // in the order of the sections
    int leftOutRecords = 0;           // over all files
    QStringList unreadFiles;          // files that gave no section, by name
};

// A sociomatrix of more columns than this is printed on a landscape page in smaller type.
inline constexpr int WideMatrixColumns = 24;

QString renderReport(const ReportInput& input);

} // namespace SurveyData::Report

// The parts of the page, for the renderer's own files.
namespace SurveyData::Report::Parts {

QString classLabel(const FileName& name); // "8А", "7"
QString sociomatrixBlock(const ClassSummary& summary, const Sociomatrix& matrix);
QString styleSheet();

} // namespace SurveyData::Report::Parts
