#include "tools/Tool.h"

#include <array>

// One row per subcommand; its run function lives in a file of its own (Export.cpp, …).
namespace SurveyData {

int runExport(Context& context);
int runCheck(Context& context);
int runReport(Context& context);

std::span<const Subcommand> subcommands()
{
    static const std::array<Subcommand, 3> table{{
        {"export", "таблица CSV из файлов статистики для анализа", runExport},
        {"check", "проверка файлов статистики: записи, ошибки, счётчик", runCheck},
        {"report", "отчёт HTML по классам: диаграммы и социоматрицы, для печати", runReport},
    }};
    return table;
}

} // namespace SurveyData
