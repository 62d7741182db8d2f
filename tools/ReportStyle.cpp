#include "tools/ReportHtml.h"

// The page's one style sheet. A4 in print, every class on a page of its own, a wide sociomatrix
// on a landscape page; grey only where black and white alone would do.
namespace SurveyData::Report::Parts {

QString styleSheet()
{
    return QStringLiteral(R"css(
body { font-family: "Liberation Sans", Arial, Helvetica, sans-serif; font-size: 14px;
  color: #000; background: #fff; margin: 16px 24px; max-width: 1200px; }
h1 { font-size: 24px; margin: 0 0 6px; }
h2 { font-size: 20px; margin: 0 0 6px; border-bottom: 2px solid #000; padding-bottom: 2px; }
h3 { font-size: 16px; margin: 16px 0 6px; }
h4 { font-size: 13px; margin: 0 0 4px; }
p { margin: 4px 0; }
ul { margin: 2px 0 6px; padding-left: 22px; }
table { border-collapse: collapse; }
th, td { border: 1px solid #666; padding: 2px 6px; }
th { background: #eee; text-align: left; font-weight: bold; }
td.num { text-align: center; white-space: nowrap; }
thead th { vertical-align: bottom; }
.file, .note, .legend { font-size: 12px; }
.warning { border: 2px solid #000; padding: 4px 8px; margin: 6px 0; font-weight: bold; }
section.class { margin-top: 32px; }
table.totals td, table.totals th { padding: 3px 10px; }
table.totals tfoot th, table.totals tfoot td { border-top: 2px solid #000; font-weight: bold; }
table.subjects td.chart { padding: 2px 4px 0; }
table.subjects td.subject { font-weight: bold; white-space: nowrap; }
table.subjects thead th { font-size: 12px; }
.side { display: flex; flex-wrap: wrap; gap: 8px 40px; align-items: flex-start; }
svg.chart { display: block; font-family: inherit; }
table.seconds td, table.seconds th { padding: 3px 8px; }
table.sociomatrix { font-size: 13px; margin-top: 4px; }
table.sociomatrix th, table.sociomatrix td { padding: 1px 3px; }
table.sociomatrix thead th.name { vertical-align: bottom; text-align: center; padding: 4px 1px;
  font-weight: normal; }
table.sociomatrix thead th.name span { writing-mode: vertical-rl; transform: rotate(180deg);
  white-space: nowrap; }
table.sociomatrix thead th.corner { font-weight: normal; font-size: 11px; vertical-align: bottom; }
table.sociomatrix tbody th { white-space: nowrap; font-weight: normal; }
table.sociomatrix th.norecord span, table.sociomatrix th.norecord { font-style: italic; }
table.sociomatrix td { text-align: center; min-width: 1.5em; }
table.sociomatrix td.own { background: #ccc; }
table.sociomatrix td.mutual span { border: 1.5px solid #000; border-radius: 50%;
  padding: 0 3px; font-weight: bold; }
table.sociomatrix td.self { font-weight: bold; }
table.sociomatrix td.self span::after { content: "!"; }
table.sociomatrix tr.nochoice th { font-style: italic; }
table.sociomatrix tfoot th, table.sociomatrix tfoot td { font-weight: bold;
  border-top: 2px solid #000; }
table.sociomatrix td.star { border: 2px solid #000; }
.questions { display: grid; grid-template-columns: 1fr 1fr; gap: 12px 28px; }
.questions table { font-size: 12px; width: 100%; }
.questions td.who { font-size: 11px; }
@page { size: A4; margin: 12mm 10mm; }
@page wide { size: A4 landscape; margin: 7mm 8mm; }
@media print {
  body { margin: 0; font-size: 10pt; max-width: none; }
  section.class { break-before: page; margin-top: 0; }
  .sociogram.wide { page: wide; }
  table.sociomatrix { font-size: 8pt; break-inside: avoid; }
  .sociogram.wide table.sociomatrix { font-size: 7.5pt; }
  .sociogram.wide table.sociomatrix td { min-width: 1.3em; padding: 0 1px; }
  .sociogram.wide table.sociomatrix th { padding: 0 2px; }
  .sociogram.wide h3 { margin-top: 0; }
  tr, svg.chart, .questions > div, .warning { break-inside: avoid; }
  h2, h3, h4 { break-after: avoid; }
}
)css");
}

} // namespace SurveyData::Report::Parts
