#include "tools/Tool.h"

#include <array>

// One row per subcommand; its run function lives in a file of its own (Export.cpp, …).
namespace SurveyData {

int runExport(Context& context); // tools/Export.cpp
int runCheck(Context& context);  // tools/Check.cpp
int runRoster(Context& context); // tools/Roster.cpp
int runReport(Context& context); // tools/Report.cpp

std::span<const Subcommand> subcommands()
{
    static const std::array<Subcommand, 4> table{{
        {"export", "таблица CSV из файлов статистики для анализа", runExport},
        {"check", "проверка файлов статистики: записи, ошибки, счётчик", runCheck},
        {"roster", "что программа прочитает из списков классов (книг .xls), с предупреждениями",
         runRoster},
        {"report", "отчёт HTML по классам: диаграммы и социоматрицы, для печати", runReport},
    }};
    return table;
}

} // namespace SurveyData
