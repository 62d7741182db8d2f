#include "tools/Tool.h"

#include <array>

// One row per subcommand; its run function lives in a file of its own (Export.cpp, …).
namespace SurveyData {

int runReport(Context& context);

std::span<const Subcommand> subcommands()
{
    static const std::array<Subcommand, 1> table{{
        {"report", "отчёт HTML по классам: диаграммы и социоматрицы, для печати", runReport},
    }};
    return table;
}

} // namespace SurveyData
