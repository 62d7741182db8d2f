#pragma once

#include <QStringList>

namespace SurveyData {

// The header row of `survey-data export`, in column order; the record dictionary names each one.
QStringList exportColumns();

} // namespace SurveyData
