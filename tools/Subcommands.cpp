#include "tools/Tool.h"

#include <array>

// One row per subcommand; its run function lives in a file of its own (Export.cpp, …).
namespace SurveyData {

int runRoster(Context& context); // tools/Roster.cpp

std::span<const Subcommand> subcommands()
{
    static const std::array<Subcommand, 1> table{{
        {"roster", "что программа прочитает из списков классов (книг .xls), с предупреждениями",
         runRoster},
    }};
    return table;
}

} // namespace SurveyData
