#include "tools/Tool.h"

#include <array>

// One row per subcommand; its run function lives in a file of its own (Export.cpp, …).
namespace SurveyData {

std::span<const Subcommand> subcommands()
{
    static const std::array<Subcommand, 0> table{};
    return table;
}

} // namespace SurveyData
