#pragma once

// What must hold in every state of a run and across every action, shared by the explorer
// (which checks every reachable state) and the fuzzer (which checks every state it makes).

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "actions.hpp"
#include "game.hpp"

namespace tarvilon::explorer {

// One line each, as the explorer's report prints them.
// What holds in one state.
[[nodiscard]] std::span<const std::string_view> stateInvariants();
// What holds between the state before an action and the state after it.
[[nodiscard]] std::span<const std::string_view> stepRules();

// Each broken one as "<name>: <what was found>"; empty when all hold.
[[nodiscard]] std::vector<std::string> brokenInvariants(const Game& game);
[[nodiscard]] std::vector<std::string> brokenStepRules(const Game& before, const Action& action,
                                                       const Game& after);

}  // namespace tarvilon::explorer
