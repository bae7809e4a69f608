#pragma once

// Every text that one rule writes and another compares, letter for letter. The game's own
// spelling is kept as it is ("предстовляет", "залесть", "наровит"): the rules compare against
// exactly these strings, so a "corrected" copy anywhere would break the chain between verbs.

#include <string_view>

#include "content/speeches.hpp"

namespace tarvilon::text {

// Items, as the inventory slots hold them. Every letter is Cyrillic ("Стрела" starts with U+0421).
inline constexpr std::string_view kRifle = "Ружьё";
inline constexpr std::string_view kMachineGun = "Автомат";
inline constexpr std::string_view kBow = "Лук";
inline constexpr std::string_view kPistol = "Пистолет";
inline constexpr std::string_view kCoins = "100 монет";
inline constexpr std::string_view kSnake = "Змея";
inline constexpr std::string_view kAmulet = "Амулет";
inline constexpr std::string_view kSpear = "Копьё";
inline constexpr std::string_view kFlask = "Фляга";
inline constexpr std::string_view kArrow = "Стрела";

// Offers that Pick up takes. Where the answer is the item's own name, the item constant
// above is the response too.
inline constexpr std::string_view kFirstAidKit = "Аптечка";
inline constexpr std::string_view kHealingPowder = "Целебный порошок";
inline constexpr std::string_view kHealerGivesPowder = "Он даёт вам целебного порошка";
inline constexpr std::string_view kSnakeLair =
    "Вы обноружили логово ЗМЕИ, но как ни странно вы не испугались";
inline constexpr std::string_view kSavageTrade = "Он вам даст автомат, в обмен на копьё";
inline constexpr std::string_view kFlaskFound = "Фляга(в отличном состоянии)";
using content::kShamanSpeech;

// Materials that Craft works on, and what it answers.
inline constexpr std::string_view kStrangeTree =
    "Странное дерево со множеством красивых и прямых веток";
inline constexpr std::string_view kBranchForSpear = "Из этой ветки получилось бы хорошее копьё!";
inline constexpr std::string_view kBoardsForBridge = "Можно было бы смастерить мост";
inline constexpr std::string_view kRopeFound = "Верёвка";
inline constexpr std::string_view kBranchesForDescent =
    "Отличные ветки, по которым можно спуститься";
inline constexpr std::string_view kTwigForArrow = "Отличная стрела получится из этого сучка";
inline constexpr std::string_view kRubble = "Груды камней лежат перед входом в пещеру!";
inline constexpr std::string_view kDescentReady = "К спуску всё готово";

// Foes that Dig and shoot fights, and its answers.
inline constexpr std::string_view kPlaqueArrowDown =
    "Вы не можете разобрать, что здесь написанно, но чётко видите стрелку вниз";
inline constexpr std::string_view kMonsterMustDie = "Его надо убить";
inline constexpr std::string_view kWrongWeapon = "Таким оружием его не убьёшь";
inline constexpr std::string_view kSpiritAttacks = "Он летит на вас и наровит убить";
inline constexpr std::string_view kSpiritShoots = "Он стреляет в вас";
inline constexpr std::string_view kSpiritClose = "Быстрей! Быстрей! Он уже близко";
inline constexpr std::string_view kKilled = "Убит";
inline constexpr std::string_view kFinished = "Готов";
inline constexpr std::string_view kDissolved =
    "Просто растворился. оставив после себя гору пепла и пистолет...";

// People that Talk speaks to, and its answers.
inline constexpr std::string_view kForesterWillTalk = "Лесник не прочь с вами поговорить";
inline constexpr std::string_view kGuardListens = "Он вас внимательно слушает";
inline constexpr std::string_view kTraderWantsToTalk = "Однозначно он хочет вам что-то сказать";
inline constexpr std::string_view kPaidGuard = "Зачем же с ним ещё разговаривать?";
// Ends with a full stop and one blank.
inline constexpr std::string_view kTraderNews =
    "Он говорт вам об озере молодости, который можно найти за горой и о монстре, который туда "
    "вас не пропустит. ";

// Ways on that Go takes.
inline constexpr std::string_view kPathToJungle = "Тропинка ведущая в джунгли";
inline constexpr std::string_view kSignToVillage = "Указатель дороги указывающий на деревню";
inline constexpr std::string_view kMayPass = "Можете пройти";
inline constexpr std::string_view kRoadIsClear = "Путь свободен";
inline constexpr std::string_view kBridgeReady = "Теперь можно идти";
inline constexpr std::string_view kCanClimb = "Вот теперь можно залесть";
inline constexpr std::string_view kOnlyDescentLeft = "Теперь осталось только спуститься";
inline constexpr std::string_view kIntoSpiritLand = "Страшно? Всё равно в путь!..";
inline constexpr std::string_view kSpiritHarmless = "Он не предстовляет опасности";
inline constexpr std::string_view kSpiritDefeated = "Он повержан";
inline constexpr std::string_view kAllBehind = "Всё позади, он убит";
inline constexpr std::string_view kOnToLife = "Смелей к жизни";

// The Dig and shoot verb's two captions.
inline constexpr std::string_view kDigCaption = "Копать";
inline constexpr std::string_view kShootCaption = "Стрелять";

// The card of fate's two words.
inline constexpr std::string_view kLife = "Жизнь";
inline constexpr std::string_view kDeath = "Смерть";

}  // namespace tarvilon::text
