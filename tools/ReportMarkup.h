#pragma once

#include <QString>
#include <optional>

// The small pieces of markup that the report's HTML and its SVG charts share.
namespace SurveyData::Report {

// Text for an element or an attribute: every name and text from a file passes here, so a roster
// name such as "<script>" stays text. The output is also well-formed XML.
QString escaped(const QString& text);

// A number for the staff: a decimal comma, as Russian texts write it; "—" for nothing.
QString decimal(std::optional<double> value, int decimals);

} // namespace SurveyData::Report
