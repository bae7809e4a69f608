#include <gtest/gtest.h>

#include <cstddef>
#include <set>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "content/places.hpp"
#include "content/texts.hpp"
#include "game.hpp"
#include "run_state.hpp"

namespace tarvilon {
namespace {

using namespace text;
using namespace std::string_view_literals;
using test::State;

// What a player does: type a word and examine, press a verb, or click in a secondary window.
struct Ex {
    std::string_view word;
};
struct Victory {};
using Act = std::variant<Ex, Verb, ForesterLine, GuardLine, Card, Victory>;

struct Step {
    std::vector<Act> acts;
    State after;
};

template <typename... F>
struct Overloaded : F... {
    using F::operator()...;
};

void Play(Game& g, const Act& act) {
    std::visit(Overloaded{
                   [&](const Ex& e) {
                       g.type(e.word);
                       g.press(Verb::Examine);
                   },
                   [&](Verb v) { g.press(v); },
                   [&](ForesterLine l) { g.ask(l); },
                   [&](GuardLine l) { g.say(l); },
                   [&](Card c) { g.turn(c); },
                   [&](Victory) { g.claimVictory(); },
               },
               act);
}

// What must hold between any two clicks, whatever the player did.
void ExpectConsistent(const Game& g) {
    const World& w = g.world();
    EXPECT_GE(w.level, World::kFirstLevel);
    EXPECT_LE(w.level, World::kLastLevel);
    for (int f : w.flags) EXPECT_TRUE(f >= 0 && f <= 2) << "flag " << f;
    // Each slot holds only its own kind of item.
    const std::set<std::string_view> kinds[] = {{"", kRifle, kMachineGun, kBow, kPistol},
                                                {"", kCoins, kSnake, kAmulet},
                                                {"", kSpear, kFlask, kArrow}};
    for (std::size_t i = 0; i < w.inventory.size(); ++i)
        EXPECT_TRUE(kinds[i].contains(w.inventory[i])) << w.inventory[i];
    if (g.ended()) return;
    EXPECT_EQ(g.windows().mainEnabled(), !g.windows().anySecondaryVisible());
    // The description box is empty after Go, else it describes where the player stands.
    const std::size_t place = w.level < 9 ? w.level - 1 : w.level == 9 ? 8 + w.flag(Flag::T1) : 11;
    if (!w.description.empty()) {
        EXPECT_EQ(w.description, content::kPlaceDescriptions.at(place));
    }
}

void PlayRoute(Game& game, const std::vector<Step>& route) {
    for (std::size_t i = 0; i < route.size(); ++i) {
        SCOPED_TRACE(testing::Message() << "step " << i + 1);
        for (const Act& act : route[i].acts) {
            Play(game, act);
            ExpectConsistent(game);
        }
        EXPECT_EQ(test::StateOf(game.world()), route[i].after);
    }
}

using enum Verb;
using enum Card;
using FL = ForesterLine;
using GL = GuardLine;

// The road of one game, from the crash site to the cave.
// clang-format off
const std::vector<Step> kRoad = {
    // 1 crash site
    {{Ex{"вертолёт"}},                        {1,  {0, 0, 0, 0}, {"", "", ""},                25,  kFirstAidKit}},
    {{PickUp},                                {1,  {1, 0, 0, 0}, {"", "", ""},                50,  ""}},
    {{Ex{"трупы"}, PickUp},                   {1,  {1, 1, 0, 0}, {kRifle, "", ""},            50,  ""}},
    {{Ex{"чемодан"}, PickUp},                 {1,  {1, 1, 1, 0}, {kRifle, kCoins, ""},        50,  ""}},
    {{Ex{"тропинка"}, Go},                    {2,  {0, 0, 0, 0}, {kRifle, kCoins, ""},        50,  ""}},
    // 2 jungle
    {{Ex{"лесник"}, Talk, FL::WhoAreYou, FL::Bye},
                                              {2,  {0, 0, 0, 0}, {kRifle, kCoins, ""},        50,  kForesterWillTalk}},
    {{Ex{"дерево"}},                          {2,  {0, 0, 0, 0}, {kRifle, kCoins, ""},        50,  kStrangeTree}},
    {{Ex{"ветка"}, Craft},                    {2,  {0, 0, 0, 0}, {kRifle, kCoins, ""},        50,  kSpear}},
    {{PickUp},                                {2,  {1, 0, 0, 0}, {kRifle, kCoins, kSpear},    50,  ""}},
    {{Ex{"табличка"}, DigShoot},              {2,  {1, 0, 0, 0}, {kRifle, kCoins, kSpear},    50,  kHealingPowder}},
    {{PickUp},                                {2,  {1, 1, 0, 0}, {kRifle, kCoins, kSpear},    75,  ""}},
    {{Ex{"указатель"}, Go},                   {3,  {0, 0, 0, 0}, {kRifle, kCoins, kSpear},    75,  ""}},
    // 3 village gate
    {{Ex{"охраник"}, Talk, GL::AreYouTheGuard, GL::WhatIsHere, GL::MayIEnter, GL::Pay},
                                              {3,  {1, 0, 0, 0}, {kRifle, "", kSpear},        75,  kGuardListens}},
    {{GL::SeeYou, Ex{"ворота"}},              {3,  {1, 0, 0, 0}, {kRifle, "", kSpear},        75,  kMayPass}},
    {{Go},                                    {4,  {0, 0, 0, 0}, {kRifle, "", kSpear},        75,  ""}},
    // 4 village
    {{Ex{"торговец"}, Talk},                  {4,  {1, 0, 0, 0}, {kRifle, "", kSpear},        75,  kTraderNews}},
    {{Ex{"лекарь"}, PickUp},                  {4,  {1, 0, 1, 0}, {kRifle, "", kSpear},        100, ""}},
    {{Ex{"стол"}, Middle, Victory{}},           {4,  {1, 1, 1, 1}, {kRifle, "", kSpear},        100, ""}},
    {{Ex{"дорога"}, Go},                      {5,  {0, 0, 0, 0}, {kRifle, "", kSpear},        100, ""}},
    // 5 river
    {{Ex{"нора"}, PickUp},                    {5,  {1, 0, 0, 0}, {kRifle, kSnake, kSpear},    100, ""}},
    {{Ex{"дикарь"}, PickUp},                  {5,  {1, 1, 0, 0}, {kMachineGun, kSnake, ""},   100, ""}},
    {{Ex{"доски"}, Craft},                    {5,  {1, 1, 1, 0}, {kMachineGun, kSnake, ""},   100, "Мост готов"}},
    {{Ex{"мост"}, Go},                        {6,  {0, 0, 0, 0}, {kMachineGun, kSnake, ""},   100, ""}},
    // 6 foot of the mountain
    {{Ex{"монстр"}, DigShoot},                {6,  {1, 0, 0, 0}, {"", kSnake, ""},            100, kKilled}},
    {{Ex{"кусты"}, Craft},                    {6,  {1, 1, 0, 0}, {"", kSnake, ""},            100, "Вы смастерили канат"}},
    {{Ex{"канат"}, Go},                       {7,  {0, 0, 0, 0}, {"", kSnake, ""},            100, ""}},
    // 7 mountain
    {{Ex{"трава"}, PickUp},                   {7,  {1, 0, 0, 0}, {kBow, kSnake, ""},          100, ""}},
    {{Ex{"фляга"}, PickUp},                   {7,  {1, 1, 0, 0}, {kBow, kSnake, kFlask},      100, ""}},
    {{Ex{"ветки"}, Craft},                    {7,  {1, 1, 1, 0}, {kBow, kSnake, kFlask},      100, kDescentReady}},
    {{Go},                                    {8,  {0, 0, 0, 0}, {kBow, kSnake, kFlask},      100, ""}},
    // 8 shaman
    {{Ex{"шаман"}, PickUp},                   {8,  {1, 0, 0, 0}, {kBow, kAmulet, kFlask},     100, ""}},
    {{Ex{"сучок"}, Craft, PickUp},            {8,  {1, 1, 0, 0}, {kBow, kAmulet, kArrow},     100, ""}},
    {{Ex{"проход"}, Go},                      {9,  {0, 0, 0, 0}, {kBow, kAmulet, kArrow},     100, ""}},
    // 9 spirits
    {{Ex{"дух"}, DigShoot},                   {9,  {0, 1, 0, 0}, {kBow, kAmulet, ""},         100, kKilled}},
    {{Go},                                    {9,  {1, 0, 0, 0}, {kBow, kAmulet, ""},         100, ""}},
    {{Ex{"пакет"}, PickUp},                   {9,  {1, 1, 0, 0}, {kBow, kAmulet, kArrow},     100, ""}},
    {{Ex{"дух"}, DigShoot},                   {9,  {1, 1, 1, 0}, {kBow, kAmulet, ""},         75,  kFinished}},
    {{Go},                                    {9,  {2, 0, 0, 0}, {kBow, kAmulet, ""},         75,  ""}},
    {{Ex{"стрела"}, PickUp},                  {9,  {2, 1, 0, 0}, {kBow, kAmulet, kArrow},     75,  ""}},
    {{Ex{"дух"}, DigShoot},                   {9,  {2, 1, 1, 0}, {kBow, kAmulet, ""},         75,  kDissolved}},
    {{Go},                                    {10, {0, 0, 0, 0}, {kPistol, kAmulet, ""},      75,  ""}},
    // 10 cave
    {{Ex{"завал"}, Craft},                    {10, {1, 0, 0, 0}, {kPistol, kAmulet, ""},      75,  "Вход свободен!"}},
    {{Ex{"пещера"}, Go},                      {10, {0, 0, 0, 0}, {kPistol, kAmulet, ""},      75,  ""}},
};

// A player who wanders: looks around everywhere, asks twice, skips the trade and meets the
// monster with the rifle, walks all the way back for the machine gun, passes the first spirit
// without the amulet and shoots a spirit with no arrow left.
const std::vector<Step> kDetours = {
    // 1 crash site
    {{LookAround, Ex{"Вертолёт"}},            {1,  {0, 0, 0, 0}, {"", "", ""},                25,  ""}},
    {{Ex{"вертолёт"}, PickUp, Ex{"вертолёт"}},{1,  {1, 0, 0, 0}, {"", "", ""},                50,  "Здесь ничего нет"}},
    {{Ex{"трупы"}, PickUp, Ex{"чемодан"}, PickUp, Ex{"тропинка"}, Go},
                                              {2,  {0, 0, 0, 0}, {kRifle, kCoins, ""},        50,  ""}},
    // 2 jungle: every question twice, then the forester again, as he was left
    {{LookAround, Ex{"лесник"}, Talk, FL::WhoAreYou, FL::Settlement, FL::ComeWithMe, FL::SeeYou,
      FL::SeeYou, FL::ComeWithMe, FL::Settlement, FL::WhoAreYou, FL::Bye, Talk, FL::Bye},
                                              {2,  {0, 0, 0, 0}, {kRifle, kCoins, ""},        50,  kForesterWillTalk}},
    {{Ex{"ветка"}},                           {2,  {0, 0, 0, 0}, {kRifle, kCoins, ""},        50,  kForesterWillTalk}},
    {{Ex{"дерево"}, Ex{"ветка"}, Craft, Craft, PickUp, Ex{"ветка"}},
                                              {2,  {1, 0, 0, 0}, {kRifle, kCoins, kSpear},    50,  ""}},
    {{Ex{"табличка"}, DigShoot, PickUp, Ex{"указатель"}, Go},
                                              {3,  {0, 0, 0, 0}, {kRifle, kCoins, kSpear},    75,  ""}},
    // 3 village gate: the paid guard is talked to again
    {{LookAround, Ex{"ворота"}},              {3,  {0, 0, 0, 0}, {kRifle, kCoins, kSpear},    75,  "Охраник вас не пускает!"}},
    {{Ex{"охраник"}, Talk, GL::AreYouTheGuard, GL::WhatIsHere, GL::MayIEnter, GL::Pay, GL::SeeYou, Talk},
                                              {3,  {1, 0, 0, 0}, {kRifle, "", kSpear},        75,  kPaidGuard}},
    {{Ex{"ворота"}, Go},                      {4,  {0, 0, 0, 0}, {kRifle, "", kSpear},        75,  ""}},
    // 4 village
    {{LookAround, Ex{"торговец"}, Talk, Talk, Ex{"торговец"}},
                                              {4,  {1, 0, 0, 0}, {kRifle, "", kSpear},        75,  "Он вам всё уже сказал"}},
    {{Ex{"дорога"}, Go},                      {4,  {1, 0, 0, 0}, {kRifle, "", kSpear},        75,  ""}},
    {{Ex{"стол"}, Middle, Middle, Left, Victory{}, Ex{"стол"}},
                                              {4,  {1, 1, 0, 1}, {kRifle, "", kSpear},        75,  "Вам хватило одного раза поиграть."}},
    {{Ex{"лекарь"}, PickUp, Ex{"дорога"}, Go},{5,  {0, 0, 0, 0}, {kRifle, "", kSpear},        100, ""}},
    // 5 river: no trade
    {{LookAround, Ex{"мост"}},                {5,  {0, 0, 0, 0}, {kRifle, "", kSpear},        100, "Моста ещё нет"}},
    {{Ex{"нора"}, PickUp, Ex{"доски"}, Craft, Ex{"мост"}, Go},
                                              {6,  {0, 0, 0, 0}, {kRifle, kSnake, kSpear},    100, ""}},
    // 6 the rifle will not do; back through the village, where the guard takes the snake
    {{LookAround, Ex{"монстр"}, DigShoot},    {6,  {0, 0, 0, 0}, {kRifle, kSnake, kSpear},    100, kWrongWeapon}},
    {{Ex{"канат"}, Ex{"тропинка"}, Go, Ex{"указатель"}, Go},
                                              {3,  {0, 0, 0, 0}, {kRifle, kSnake, kSpear},    100, ""}},
    {{Ex{"охраник"}, Talk, GL::Pay, GL::SeeYou, Ex{"ворота"}, Go},
                                              {4,  {0, 0, 0, 0}, {kRifle, "", kSpear},        100, ""}},
    {{Ex{"стол"}, Victory{}, Ex{"дорога"}, Go}, {5,  {0, 0, 0, 0}, {kRifle, "", kSpear},        100, ""}},
    {{Ex{"дикарь"}, PickUp, Ex{"доски"}, Craft, Ex{"мост"}, Go},
                                              {6,  {0, 0, 0, 0}, {kMachineGun, "", ""},       100, ""}},
    {{Ex{"монстр"}, DigShoot, Go},            {6,  {1, 0, 0, 0}, {"", "", ""},                100, ""}},
    {{Ex{"кусты"}, Craft, Ex{"канат"}, Go},   {7,  {0, 0, 0, 0}, {"", "", ""},                100, ""}},
    // 7 mountain: down by looking at the branches again
    {{LookAround, Ex{"трава"}, PickUp, Ex{"фляга"}, PickUp, Ex{"ветки"}, Craft, Ex{"ветки"}},
                                              {7,  {1, 1, 1, 0}, {kBow, "", kFlask},          100, kOnlyDescentLeft}},
    {{Go},                                    {8,  {0, 0, 0, 0}, {kBow, "", kFlask},          100, ""}},
    // 8 the shaman is left alone: no amulet
    {{LookAround, Ex{"сучок"}, Craft, PickUp, Ex{"проход"}, Go},
                                              {9,  {0, 0, 0, 0}, {kBow, "", kArrow},          100, ""}},
    // 9 the packet's arrow makes the first spirit harmless; the third is shot at unarmed first
    {{LookAround, Ex{"дух"}, DigShoot},       {9,  {0, 0, 0, 0}, {kBow, "", kArrow},          100, "Нет амулета"}},
    {{Ex{"пакет"}, PickUp, Ex{"дух"}},        {9,  {0, 1, 0, 0}, {kBow, "", kArrow},          100, kSpiritHarmless}},
    {{Go, LookAround, Ex{"дух"}, Ex{"дух"}, DigShoot},
                                              {9,  {1, 0, 1, 0}, {kBow, "", ""},              50,  kFinished}},
    {{Go, LookAround, Ex{"дух"}, DigShoot},   {9,  {2, 0, 0, 0}, {kBow, "", ""},              50,  kSpiritClose}},
    {{Ex{"стрела"}, PickUp, Ex{"стрела"}},    {9,  {2, 1, 0, 0}, {kBow, "", kArrow},          50,  "Какая ещё стрела?"}},
    {{Ex{"дух"}, DigShoot, Go},               {10, {0, 0, 0, 0}, {kPistol, "", ""},           50,  ""}},
    // 10 cave
    {{LookAround, Ex{"пещера"}},              {10, {0, 0, 0, 0}, {kPistol, "", ""},           50,  "Сначала разгребите завал"}},
    {{Ex{"завал"}, Craft, Ex{"завал"}},       {10, {1, 0, 0, 0}, {kPistol, "", ""},           50,  "Никакого завала"}},
    {{Ex{"пещера"}, Go, LookAround, Ex{"тропинка"}},
                                              {10, {0, 0, 0, 0}, {kPistol, "", ""},           50,  ""}},
};
// clang-format on

void ExpectTheEnding(Game& game) {
    EXPECT_TRUE(game.windows().visible(Window::Form2));
    EXPECT_FALSE(game.windows().mainEnabled());
    EXPECT_FALSE(game.ended());
    game.finish();
    EXPECT_EQ(game.windows().ending(), Ending::Finale);
}

TEST(WholeGame, TheRoadFromTheCrashToTheCave) {
    Game game;
    game.dismissIntro();
    PlayRoute(game, kRoad);
    EXPECT_EQ(game.world().shootCaption, kShootCaption);
    ExpectTheEnding(game);
}

TEST(WholeGame, DetoursStillWin) {
    Game game;
    PlayRoute(game, kDetours);
    EXPECT_EQ(game.forester().answer, forester::kNameAnswer);
    ExpectTheEnding(game);
}

TEST(WholeGame, BadWordsChangeNothingAnywhereOnTheRoad) {
    const std::string huge(1 << 20, 'x');
    const std::string_view words[] = {
        "",           huge,           "\t\r\n\x01\x7f",     "\xff\xfe\xd0",
        "вертол\xd1", "вертолёт\0"sv, "вертолётhelicopter", "вepтoлёт" /* Latin e, p, o */,
        "ВЕРТОЛЁТ",
    };
    Game game;
    for (std::size_t i = 0; i < kRoad.size(); ++i) {
        for (const Act& act : kRoad[i].acts) Play(game, act);
        for (std::string_view word : words) {
            const Game before = game;
            game.type(word);
            game.press(Verb::Examine);
            ASSERT_TRUE(game == before) << "step " << i + 1 << ", word of " << word.size();
        }
    }
    ExpectTheEnding(game);
}

}  // namespace
}  // namespace tarvilon
