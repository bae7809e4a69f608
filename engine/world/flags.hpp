#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

namespace tarvilon {

// The four flags of the hidden store form. What each one means depends on the level.
enum class Flag { T1, T2, T3, T4 };
inline constexpr std::size_t kFlagCount = 4;
inline constexpr std::array<Flag, kFlagCount> kAllFlags = {Flag::T1, Flag::T2, Flag::T3, Flag::T4};

// What each flag records at each level, for people reading a state: the explorer's report and
// the tests' failure messages. "1" means the thing is done; empty where nothing at that level
// writes the flag (a flag keeps its value from the level before unless Go resets it). No rule
// reads this legend: the verb tables and the windows test and write the numbers.
// clang-format off
inline constexpr std::array<std::array<std::string_view, kFlagCount>, 10> kFlagMeanings = {{
    // T1                                 T2                                                  T3                                     T4                  level
    {{"first-aid kit taken",             "rifle taken",                                      "coins taken",                         ""}},               // 1 crash site
    {{"spear taken",                     "healing powder taken",                             "",                                    ""}},               // 2 jungle
    {{"guard paid",                      "",                                                 "",                                    ""}},               // 3 village gate
    {{"trader has spoken",               "card of fate played",                              "healer's powder taken",               "road out open"}},  // 4 village
    {{"snake taken",                     "machine gun traded for the spear",                 "bridge built",                        ""}},               // 5 river bank
    {{"monster killed",                  "rope made",                                        "",                                    ""}},               // 6 foot of the mountain
    {{"bow taken",                       "flask taken",                                      "way down ready",                      ""}},               // 7 mountain
    {{"amulet taken",                    "arrow taken",                                      "",                                    ""}},               // 8 jungle with the shaman
    {{"stage: spirits got past, 0 to 2", "arrow taken, or at stage 0 the first spirit shot", "at stages 1 and 2: this spirit shot", ""}},               // 9 land of spirits
    {{"rubble cleared",                  "",                                                 "",                                    ""}},               // 10 cave
}};
// clang-format on

// What flag f records at this level; empty where it records nothing or the level is unknown.
constexpr std::string_view flagMeaning(int level, Flag f) {
    if (level < 1 || level > static_cast<int>(kFlagMeanings.size())) return {};
    return kFlagMeanings[static_cast<std::size_t>(level - 1)][static_cast<std::size_t>(f)];
}

// One flag for a person: "T2 (rifle taken) = 1" at level 1, "T4 = 0" where it means nothing.
std::string describeFlag(int level, Flag f, int value);
// All four, comma-separated.
std::string describeFlags(int level, const std::array<int, kFlagCount>& values);

}  // namespace tarvilon
