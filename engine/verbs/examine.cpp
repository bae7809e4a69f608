#include "content/texts.hpp"
#include "game.hpp"
#include "verbs/verbs.hpp"

namespace tarvilon::verbs {
namespace {

using namespace rules;
using namespace text;
using enum Flag;

// clang-format off
// The only verb that reads the object word. Its answers are the focus texts that every other
// verb acts on. No two rows that write the focus text can fire in one press; the rows that do
// fire together say so.
constexpr std::array kExamine = {
    //  level      flags and focus                  object word         effect                why
    row(level(1) & flag(T1, 0)                    & word("вертолёт"),   say(kFirstAidKit)),
    row(level(1) & flag(T1, 1)                    & word("вертолёт"),   say("Здесь ничего нет")),
    row(level(1) & flag(T2, 0)                    & word("трупы"),      say(kRifle)),
    row(level(1) & flag(T2, 1)                    & word("трупы"),      say("С них больше нечего взять")),
    row(level(1) & flag(T3, 0)                    & word("чемодан"),    say(kCoins)),
    row(level(1) & flag(T3, 1)                    & word("чемодан"),    say("Больше ничего нет")),
    row(                                            word("тропинка"),   say(kPathToJungle)),
    row(level(2) & flag(T1, 0)                    & word("дерево"),     say(kStrangeTree)),
    row(level(2) & flag(T1, 1)                    & word("дерево"),     say("Странное дерево со множеством красивых и прямых веток, но уже без одной")),
    row(             focus(kStrangeTree)          & word("ветка"),      say(kBranchForSpear)),
    row(level(2) & flag(T2, 0)                    & word("табличка"),   say(kPlaqueArrowDown)),
    row(level(2) & flag(T2, 1)                    & word("табличка"),   say("Вы уже давно догодались о чём здесь написанно")),
    row(level(2)                                  & word("лесник"),     say(kForesterWillTalk)),
    row(level(2)                                  & word("указатель"),  say(kSignToVillage)),
    row(level(3)                                  & word("охраник"),    say(kGuardListens)),
    row(level(3) & flag(T1, 1)                    & word("ворота"),     say(kMayPass)),
    row(level(3) & flag(T1, 0)                    & word("ворота"),     say("Охраник вас не пускает!")),
    row(level(4) & flag(T1, 0)                    & word("торговец"),   say(kTraderWantsToTalk)),
    row(level(4) & flag(T1, 1)                    & word("торговец"),   say("Он вам всё уже сказал")),
    row(level(4) & flag(T2, 0)                    & word("стол"),       show(Window::Stol)),  // with disableMain(); neither answers
    row(level(4) & flag(T2, 0)                    & word("стол"),       disableMain()),       // with show(Window::Stol)
    row(level(4) & flag(T2, 1)                    & word("стол"),       say("Вам хватило одного раза поиграть.")),
    row(level(4) & flag(T3, 0)                    & word("лекарь"),     say(kHealerGivesPowder)),
    row(level(4) & flag(T3, 1)                    & word("лекарь"),     say("У него нет больше ")),
    row(level(4) & flag(T4, 0)                    & word("дорога"),     say("Вы хорошо понимаете, что туда вам не пройти")),
    row(level(4) & flag(T4, 1)                    & word("дорога"),     say(kRoadIsClear)),
    row(level(5) & flag(T1, 0)                    & word("нора"),       say(kSnakeLair)),
    row(level(5) & flag(T1, 1)                    & word("нора"),       say("Логово змеи, но оно к сожалению пусто")),
    row(level(5) & flag(T2, 0)                    & word("дикарь"),     say(kSavageTrade)),
    row(level(5) & flag(T2, 1)                    & word("дикарь"),     say("Ничего больше не предлогает")),
    row(level(5) & flag(T3, 0)                    & word("доски"),      say(kBoardsForBridge)),
    row(level(5) & flag(T3, 1)                    & word("доски"),      say("Мост уже готов")),
    row(level(5) & flag(T3, 0)                    & word("мост"),       say("Моста ещё нет")),
    row(level(5) & flag(T3, 1)                    & word("мост"),       say(kBridgeReady)),
    row(level(6) & flag(T1, 0)                    & word("монстр"),     say(kMonsterMustDie)),
    row(level(6) & flag(T1, 1)                    & word("монстр"),     say("Мёртвое тело")),
    row(level(6) & flag(T2, 0)                    & word("кусты"),      say(kRopeFound)),
    row(level(6) & flag(T2, 1)                    & word("кусты"),      say("Здесь нечего больше искать")),
    row(             flag(T2, 1) & flag(T1, 1)    & word("канат"),      say(kCanClimb)),
    row(             flag(T2, 1) & flag(T1, 0)    & word("канат"),      say("Надо убить монстра")),
    row(             flag(T2, 0) & flag(T1, 0)    & word("канат"),      say("Из чего делать канат")),
    row(level(7) & flag(T1, 0)                    & word("трава"),      say(kBow)),
    row(level(7) & flag(T1, 1)                    & word("трава"),      say("Здесь ничего нет")),
    row(level(7) & flag(T2, 0)                    & word("фляга"),      say(kFlaskFound)),
    row(level(7) & flag(T2, 1)                    & word("фляга"),      say("Какая фляга?")),
    row(level(7) & flag(T3, 0)                    & word("ветки"),      say(kBranchesForDescent)),
    row(level(7) & flag(T3, 1)                    & word("ветки"),      say(kOnlyDescentLeft)),
    row(level(8) & flag(T1, 0)                    & word("шаман"),      say(kShamanSpeech)),
    row(level(8) & flag(T1, 1)                    & word("шаман"),      say("Он просит вас не беспокоить его больше")),
    row(level(8) & flag(T2, 0)                    & word("сучок"),      say(kTwigForArrow)),
    row(level(8) & flag(T2, 1)                    & word("сучок"),      say("Вам пока хватит одной стрелы")),
    row(level(8)                                  & word("проход"),     say(kIntoSpiritLand)),
    row(level(9) & flag(T2, 0) & flag(T1, 0)      & word("дух"),        say(kSpiritAttacks)),
    row(level(9) & flag(T2, 1) & flag(T1, 0)      & word("дух"),        say(kSpiritHarmless)),
    row(level(9) & flag(T2, 0)                    & word("пакет"),      say(kArrow)),
    row(level(9) & flag(T2, 1)                    & word("пакет"),      say("Пустой пакет")),
    row(             flag(T1, 1) & flag(T3, 0)    & word("дух"),        say(kSpiritShoots)),  // with hurt(): answers and wounds
    row(             flag(T1, 1) & flag(T3, 1)    & word("дух"),        say(kSpiritDefeated)),
    row(             flag(T1, 1) & flag(T3, 0)    & word("дух"),        hurt()),              // with say(kSpiritShoots)
    row(             flag(T1, 2) & flag(T2, 0)    & word("стрела"),     say(kArrow)),
    row(             flag(T1, 2) & flag(T2, 1)    & word("стрела"),     say("Какая ещё стрела?")),
    row(             flag(T1, 2) & flag(T3, 0)    & word("дух"),        say(kSpiritClose)),
    row(             flag(T1, 2) & flag(T3, 1)    & word("дух"),        say(kAllBehind)),
    row(             flag(T1, 0)                  & word("завал"),      say(kRubble)),
    row(             flag(T1, 1)                  & word("завал"),      say("Никакого завала")),
    row(             flag(T1, 0)                  & word("пещера"),     say("Сначала разгребите завал")),
    row(             flag(T1, 1)                  & word("пещера"),     say(kOnToLife)),
};
// clang-format on

}  // namespace

std::span<const Row> examineTable() {
    return kExamine;
}

void examine(Game& game) {
    run(kExamine, game);
    game.world().objectWord.clear();
}

}  // namespace tarvilon::verbs
