#pragma once

#include "tools/ReportModel.h"

#include <QString>

// The charts of the class report as inline SVG: plain bars, axes and labels, black on white with
// the counts written out, so that a black-and-white print reads as well as the screen.
namespace SurveyData::Report {

// The quarter grades of one subject: a bar per step of the scale (2, 2+, 3-, … 5).
QString gradeChart(const SubjectSummary& subject);

// Favourite and demanding teachers: two bars per subject, filled and outlined.
QString teacherChart(const std::vector<TeacherCount>& teachers);

// The mean interest (0 … 9) in each additional area.
QString areaChart(const std::vector<AreaSummary>& areas);

} // namespace SurveyData::Report
