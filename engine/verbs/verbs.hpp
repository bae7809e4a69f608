#pragma once

#include <span>

#include "verbs/rule.hpp"

namespace tarvilon {
class Game;
}

// One function per verb: the verb's table run against the game, then the verb's own last
// step where it has one. The tables are exposed so that tests can check their properties.
namespace tarvilon::verbs {

void lookAround(Game& game);
void examine(Game& game);
void go(Game& game);
void pickUp(Game& game);
void digShoot(Game& game);
void craft(Game& game);
void talk(Game& game);

std::span<const rules::Row> lookAroundTable();
std::span<const rules::Row> examineTable();
std::span<const rules::Row> goTable();
std::span<const rules::Row> pickUpTable();
std::span<const rules::Row> digShootTable();
std::span<const rules::Row> craftTable();
std::span<const rules::Row> talkTable();

}  // namespace tarvilon::verbs
