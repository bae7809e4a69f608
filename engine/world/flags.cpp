#include "world/flags.hpp"

#include "world/world.hpp"

namespace tarvilon {

static_assert(kFlagMeanings.size() == World::kLastLevel - World::kFirstLevel + 1,
              "one line of meanings per level");

std::string describeFlag(int level, Flag f, int value) {
    // Appended, not "T" + std::string: GCC 12 at -O3 warns falsely (-Wrestrict) on that.
    std::string s = "T";
    s += std::to_string(static_cast<int>(f) + 1);
    if (const std::string_view meaning = flagMeaning(level, f); !meaning.empty())
        s.append(" (").append(meaning).append(")");
    return s + " = " + numberText(value);
}

std::string describeFlags(int level, const std::array<int, kFlagCount>& values) {
    std::string s;
    for (Flag f : kAllFlags) {
        if (!s.empty()) s += ", ";
        s += describeFlag(level, f, values[static_cast<std::size_t>(f)]);
    }
    return s;
}

}  // namespace tarvilon
