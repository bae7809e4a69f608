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
// verb acts on. No two rules that write the focus text can fire in one press; "дух" with
// T1 = 1 and T3 = 0 fires 57 and 59 together, "стол" fires 20 and 21.
constexpr std::array kExamine = {
    //  #   level        flags and focus                   object word            effect
    /* 1*/ row(level(1) & flag(T1, 0)                    & word("вертолёт"),   say(kFirstAidKit)),
    /* 2*/ row(level(1) & flag(T1, 1)                    & word("вертолёт"),   say("Здесь ничего нет")),
    /* 3*/ row(level(1) & flag(T2, 0)                    & word("трупы"),      say(kRifle)),
    /* 4*/ row(level(1) & flag(T2, 1)                    & word("трупы"),      say("С них больше нечего взять")),
    /* 5*/ row(level(1) & flag(T3, 0)                    & word("чемодан"),    say(kCoins)),
    /* 6*/ row(level(1) & flag(T3, 1)                    & word("чемодан"),    say("Больше ничего нет")),
    /* 7*/ row(                                            word("тропинка"),   say(kPathToJungle)),
    /* 8*/ row(level(2) & flag(T1, 0)                    & word("дерево"),     say(kStrangeTree)),
    /* 9*/ row(level(2) & flag(T1, 1)                    & word("дерево"),     say("Странное дерево со множеством красивых и прямых веток, но уже без одной")),
    /*10*/ row(             focus(kStrangeTree)          & word("ветка"),      say(kBranchForSpear)),
    /*11*/ row(level(2) & flag(T2, 0)                    & word("табличка"),   say(kPlaqueArrowDown)),
    /*12*/ row(level(2) & flag(T2, 1)                    & word("табличка"),   say("Вы уже давно догодались о чём здесь написанно")),
    /*13*/ row(level(2)                                  & word("лесник"),     say(kForesterWillTalk)),
    /*14*/ row(level(2)                                  & word("указатель"),  say(kSignToVillage)),
    /*15*/ row(level(3)                                  & word("охраник"),    say(kGuardListens)),
    /*16*/ row(level(3) & flag(T1, 1)                    & word("ворота"),     say(kMayPass)),
    /*17*/ row(level(3) & flag(T1, 0)                    & word("ворота"),     say("Охраник вас не пускает!")),
    /*18*/ row(level(4) & flag(T1, 0)                    & word("торговец"),   say(kTraderWantsToTalk)),
    /*19*/ row(level(4) & flag(T1, 1)                    & word("торговец"),   say("Он вам всё уже сказал")),
    /*20*/ row(level(4) & flag(T2, 0)                    & word("стол"),       show(Window::Stol)),
    /*21*/ row(level(4) & flag(T2, 0)                    & word("стол"),       disableMain()),
    /*22*/ row(level(4) & flag(T2, 1)                    & word("стол"),       say("Вам хватило одного раза поиграть.")),
    /*23*/ row(level(4) & flag(T3, 0)                    & word("лекарь"),     say(kHealerGivesPowder)),
    /*24*/ row(level(4) & flag(T3, 1)                    & word("лекарь"),     say("У него нет больше ")),
    /*25*/ row(level(4) & flag(T4, 0)                    & word("дорога"),     say("Вы хорошо понимаете, что туда вам не пройти")),
    /*26*/ row(level(4) & flag(T4, 1)                    & word("дорога"),     say(kRoadIsClear)),
    /*27*/ row(level(5) & flag(T1, 0)                    & word("нора"),       say(kSnakeLair)),
    /*28*/ row(level(5) & flag(T1, 1)                    & word("нора"),       say("Логово змеи, но оно к сожалению пусто")),
    /*29*/ row(level(5) & flag(T2, 0)                    & word("дикарь"),     say(kSavageTrade)),
    /*30*/ row(level(5) & flag(T2, 1)                    & word("дикарь"),     say("Ничего больше не предлогает")),
    /*31*/ row(level(5) & flag(T3, 0)                    & word("доски"),      say(kBoardsForBridge)),
    /*32*/ row(level(5) & flag(T3, 1)                    & word("доски"),      say("Мост уже готов")),
    /*33*/ row(level(5) & flag(T3, 0)                    & word("мост"),       say("Моста ещё нет")),
    /*34*/ row(level(5) & flag(T3, 1)                    & word("мост"),       say(kBridgeReady)),
    /*35*/ row(level(6) & flag(T1, 0)                    & word("монстр"),     say(kMonsterMustDie)),
    /*36*/ row(level(6) & flag(T1, 1)                    & word("монстр"),     say("Мёртвое тело")),
    /*37*/ row(level(6) & flag(T2, 0)                    & word("кусты"),      say(kRopeFound)),
    /*38*/ row(level(6) & flag(T2, 1)                    & word("кусты"),      say("Здесь нечего больше искать")),
    /*39*/ row(             flag(T2, 1) & flag(T1, 1)    & word("канат"),      say(kCanClimb)),
    /*40*/ row(             flag(T2, 1) & flag(T1, 0)    & word("канат"),      say("Надо убить монстра")),
    /*41*/ row(             flag(T2, 0) & flag(T1, 0)    & word("канат"),      say("Из чего делать канат")),
    /*42*/ row(level(7) & flag(T1, 0)                    & word("трава"),      say(kBow)),
    /*43*/ row(level(7) & flag(T1, 1)                    & word("трава"),      say("Здесь ничего нет")),
    /*44*/ row(level(7) & flag(T2, 0)                    & word("фляга"),      say(kFlaskFound)),
    /*45*/ row(level(7) & flag(T2, 1)                    & word("фляга"),      say("Какая фляга?")),
    /*46*/ row(level(7) & flag(T3, 0)                    & word("ветки"),      say(kBranchesForDescent)),
    /*47*/ row(level(7) & flag(T3, 1)                    & word("ветки"),      say(kOnlyDescentLeft)),
    /*48*/ row(level(8) & flag(T1, 0)                    & word("шаман"),      say(kShamanSpeech)),
    /*49*/ row(level(8) & flag(T1, 1)                    & word("шаман"),      say("Он просит вас не беспокоить его больше")),
    /*50*/ row(level(8) & flag(T2, 0)                    & word("сучок"),      say(kTwigForArrow)),
    /*51*/ row(level(8) & flag(T2, 1)                    & word("сучок"),      say("Вам пока хватит одной стрелы")),
    /*52*/ row(level(8)                                  & word("проход"),     say(kIntoSpiritLand)),
    /*53*/ row(level(9) & flag(T2, 0) & flag(T1, 0)      & word("дух"),        say(kSpiritAttacks)),
    /*54*/ row(level(9) & flag(T2, 1) & flag(T1, 0)      & word("дух"),        say(kSpiritHarmless)),
    /*55*/ row(level(9) & flag(T2, 0)                    & word("пакет"),      say(kArrow)),
    /*56*/ row(level(9) & flag(T2, 1)                    & word("пакет"),      say("Пустой пакет")),
    /*57*/ row(             flag(T1, 1) & flag(T3, 0)    & word("дух"),        say(kSpiritShoots)),
    /*58*/ row(             flag(T1, 1) & flag(T3, 1)    & word("дух"),        say(kSpiritDefeated)),
    /*59*/ row(             flag(T1, 1) & flag(T3, 0)    & word("дух"),        hurt()),
    /*60*/ row(             flag(T1, 2) & flag(T2, 0)    & word("стрела"),     say(kArrow)),
    /*61*/ row(             flag(T1, 2) & flag(T2, 1)    & word("стрела"),     say("Какая ещё стрела?")),
    /*62*/ row(             flag(T1, 2) & flag(T3, 0)    & word("дух"),        say(kSpiritClose)),
    /*63*/ row(             flag(T1, 2) & flag(T3, 1)    & word("дух"),        say(kAllBehind)),
    /*64*/ row(             flag(T1, 0)                  & word("завал"),      say(kRubble)),
    /*65*/ row(             flag(T1, 1)                  & word("завал"),      say("Никакого завала")),
    /*66*/ row(             flag(T1, 0)                  & word("пещера"),     say("Сначала разгребите завал")),
    /*67*/ row(             flag(T1, 1)                  & word("пещера"),     say(kOnToLife)),
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
