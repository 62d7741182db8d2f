#include "tools/Tool.h"

#include <array>

// One row per subcommand; its run function lives in a file of its own (Export.cpp, …).
namespace SurveyData {

int runExport(Context& context);
int runCheck(Context& context);
int runRoster(Context& context); // tools/Roster.cpp

std::span<const Subcommand> subcommands()
{
    static const std::array<Subcommand, 3> table{{
        {"export", "таблица CSV из файлов статистики для анализа", runExport},
        {"check", "проверка файлов статистики: записи, ошибки, счётчик", runCheck},
        {"roster", "что программа прочитает из списков классов (книг .xls), с предупреждениями",
         runRoster},
    }};
    return table;
}

} // namespace SurveyData
