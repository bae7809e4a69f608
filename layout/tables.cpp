// The six windows as they were designed: one row per control, from the top of the stacking
// order down (a control listed earlier covers a later one where they overlap). Places are
// twips, relative to the control's panel where it has one, else to its window's client area.
// Captions the engine owns are its constants; the rest are the windows' own.

#include <algorithm>
#include <array>

#include "content/about.hpp"
#include "content/ending.hpp"
#include "content/places.hpp"
#include "content/texts.hpp"
#include "layout.hpp"
#include "names.hpp"

namespace tarvilon::layout {
namespace {

constexpr auto kLabel = Kind::Label;
constexpr auto kBoxed = Kind::Boxed;
constexpr auto kVerb = Kind::Verb;
constexpr auto kClick = Kind::Click;
constexpr auto kText = Kind::Text;
constexpr auto kInput = Kind::Input;
constexpr auto kSplash = Kind::Splash;
constexpr auto kPanel = Kind::Panel;
constexpr auto kButton = Kind::Button;
constexpr auto kPicture = Kind::Picture;

constexpr auto kDefault = Font::Default;
constexpr auto kLarge = Font::Large;
constexpr auto kTitle = Font::Title;
constexpr auto kSmall = Font::Small;

constexpr auto kTopLeft = Align::TopLeft;
constexpr auto kTopCentre = Align::TopCentre;

constexpr bool kShown = true;
constexpr bool kHidden = false;
constexpr bool kWraps = true;
constexpr bool kOneLine = false;
constexpr bool kBorderless = false;

// What a control shows, where not its own caption.
using Showing = Shows::What;
constexpr Shows shows(Showing what, int which = 0) {
    return {what, which};
}
constexpr Shows slot(Slot s) {
    return shows(Showing::Slot, static_cast<int>(s));
}
constexpr Shows offered(GuardLine line) {
    return shows(Showing::GuardLine, static_cast<int>(line));
}
constexpr Shows card(Card c) {
    return shows(Showing::Card, static_cast<int>(c));
}
constexpr Shows kCaption{};
constexpr Shows kLevel = shows(Showing::Level);
constexpr Shows kHealth = shows(Showing::Health);
constexpr Shows kDigShoot = shows(Showing::DigShootCaption);
constexpr Shows kDescription = shows(Showing::Description);
constexpr Shows kResponse = shows(Showing::Response);
constexpr Shows kWord = shows(Showing::Word);
constexpr Shows kWhileSplash = shows(Showing::Splash);
constexpr Shows kWhileIntro = shows(Showing::Intro);
constexpr Shows kForesterSays = shows(Showing::ForesterAnswer);
constexpr Shows kGuardSays = shows(Showing::GuardAnswer);
constexpr Shows kDeal = shows(Showing::Deal);
constexpr Shows kDeathOffer = shows(Showing::DeathOffer);
constexpr Shows kVictoryOffer = shows(Showing::VictoryOffer);
constexpr Shows kBlinkingTitle = shows(Showing::BlinkingTitle);

// What a click on it does.
using Doing = Does::What;
constexpr Does does(Doing what, int which = 0) {
    return {what, which};
}
constexpr Does press(Verb v) {
    return does(Doing::Press, static_cast<int>(v));
}
constexpr Does ask(ForesterLine line) {
    return does(Doing::Ask, static_cast<int>(line));
}
constexpr Does say(GuardLine line) {
    return does(Doing::Say, static_cast<int>(line));
}
constexpr Does turn(Card c) {
    return does(Doing::Turn, static_cast<int>(c));
}
constexpr Does kNothing{};
constexpr Does kDismissIntro = does(Doing::DismissIntro);
constexpr Does kMinimise = does(Doing::Minimise);
constexpr Does kExit = does(Doing::Exit);
constexpr Does kOpenAbout = does(Doing::OpenAbout);
constexpr Does kCloseAbout = does(Doing::CloseAbout);
constexpr Does kClaimVictory = does(Doing::ClaimVictory);
constexpr Does kAcceptDeath = does(Doing::AcceptDeath);
constexpr Does kFinish = does(Doing::Finish);
constexpr Does kTyped = does(Doing::Type);

// A dark forest ground, so that the player's white lines and the portrait's black frame read,
// and the pale answer written on it.
constexpr Colour kForestGround{28, 40, 26};
constexpr Colour kForesterAnswer{240, 232, 190};
// The rest are system colours of the standard scheme, named here for what they paint.
constexpr Colour kCellGround = kWhite;          // state cells and text boxes
constexpr Colour kSplashLetters = kWhite;       // the caption-text colour
constexpr Colour kSplashGround = kBlack;        // the menu-text colour
constexpr Colour kForesterLines = kWhite;       // the highlight-text colour
constexpr Colour kNarrativeGround = kFaceGrey;  // the light grey of a window's border
constexpr Colour kFaceDownCard = kBlack;        // word and ground alike: the button-text colour

// What a screen reader hears for a card that has not been turned.
constexpr std::string_view kFaceDown = "Карта";

// clang-format off
constexpr std::array kForm1 = {
//          name        kind     shows              does                     x, y, width, height       caption                tooltip                 shown    panel        font      align       accessible              text          ground
    Control{"Text5",    kSplash, kWhileSplash,      kNothing,                { 600, 1800, 4455,  615}, "  ТАРВИЛОН",          {},                     kShown,  {},          kTitle,   kTopLeft,   {},                     kSplashLetters, kSplashGround},
    Control{"Command3", kButton, kCaption,          kOpenAbout,              {3600,  120, 1095,  255}, "&Инфо"},
    Control{"Text4",    kText,   kWhileIntro,       kNothing,                { 840,  360, 3855, 3495}, content::kIntroStory,  {},                     kHidden, {},          kDefault, kTopLeft,   "Предыстория",          {},           kCellGround},
    Control{"Text3",    kInput,  kWord,             kTyped,                  {2040, 4200, 1455,  285}, {},                    {},                     kShown,  {},          kDefault, kTopLeft,   "Предмет",              {},           kCellGround},
    Control{"Picture2", kPanel,  kCaption,          kNothing,                {3840, 3480, 1575, 1575}, {},                    "Инвентарь"},
    Control{"Label14",  kBoxed,  slot(Slot::Pouch), kNothing,                { 120, 1080, 1215,  255}, {},                    {},                     kShown,  "Picture2",  kDefault, kTopLeft,   "Инвентарь: 3",         {},           kCellGround},
    Control{"Label13",  kBoxed,  slot(Slot::Goods), kNothing,                { 120,  600, 1215,  255}, {},                    {},                     kShown,  "Picture2",  kDefault, kTopLeft,   "Инвентарь: 2",         {},           kCellGround},
    Control{"Label12",  kBoxed,  slot(Slot::Weapon),kNothing,                { 120,  120, 1215,  255}, {},                    {},                     kShown,  "Picture2",  kDefault, kTopLeft,   "Инвентарь: 1",         {},           kCellGround},
    Control{"Picture1", kPanel,  kCaption,          kNothing,                { 240, 3480, 1575, 1575}, {},                    "Действия"},
    Control{"Label11",  kVerb,   kCaption,          press(Verb::PickUp),     { 240, 1080, 1095,  255}, "Подобрать",           {},                     kShown,  "Picture1",  kLarge},
    Control{"Label10",  kVerb,   kDigShoot,         press(Verb::DigShoot),   { 360,  840,  855,  255}, text::kDigCaption,     {},                     kShown,  "Picture1",  kLarge,   kTopCentre},
    Control{"Label9",   kVerb,   kCaption,          press(Verb::Craft),      { 240,  600, 1095,  255}, "Мастерить",           {},                     kShown,  "Picture1",  kLarge},
    Control{"Label8",   kVerb,   kCaption,          press(Verb::Go),         { 360,  360,  735,  255}, "Идти",                {},                     kShown,  "Picture1",  kLarge,   kTopCentre},
    Control{"Label7",   kVerb,   kCaption,          press(Verb::Talk),       { 240,  120,  975,  255}, "Разговор",            {},                     kShown,  "Picture1",  kLarge},
    Control{"Text2",    kText,   kResponse,         kNothing,                { 240, 2040, 5055,  975}, {},                    {},                     kShown,  {},          kDefault, kTopLeft,   "Ответ",                {},           kCellGround},
    Control{"Text1",    kText,   kDescription,      kNothing,                { 240,  720, 2895, 1215}, {},                    {},                     kShown,  {},          kDefault, kTopLeft,   "Описание места",       {},           kCellGround},
    Control{"Command2", kButton, kCaption,          kExit,                   {5160,  120,  255,  255}, {},                    "Выход",                kShown,  {},          kSmall,   kTopLeft,   "Выход"},
    Control{"Command1", kButton, kCaption,          kMinimise,               {4800,  120,  255,  255}, {},                    "Свернуть",             kShown,  {},          kSmall,   kTopLeft,   "Свернуть"},
    Control{"Label16",  kClick,  kWhileIntro,       kDismissIntro,           {3000, 3960,  735,  255}, "ДАЛЕЕ...",            {},                     kHidden},
    Control{"Label15",  kBoxed,  kHealth,           kNothing,                {3240, 1680,  375,  255}, "25",                  "Здоровье",             kShown,  {},          kDefault, kTopLeft,   "Здоровье",             {},           kCellGround},
    Control{"Label6",   kVerb,   kCaption,          press(Verb::Examine),    {2160, 4560, 1335,  255}, "ОБСЛЕДОВАТЬ"},
    Control{"Label5",   kVerb,   kCaption,          press(Verb::LookAround), {2160, 3480, 1335,  255}, "ОСМОТРЕТЬСЯ"},
    Control{"Label4",   kLabel,  kCaption,          kNothing,                {4320, 3120,  855,  255}, "Инвентарь",           {},                     kShown,  {},          kDefault, kTopLeft,   {},                     kBlack},
    Control{"Label3",   kLabel,  kCaption,          kNothing,                { 360, 3120,  855,  255}, "Действия"},
    Control{"Label2",   kLabel,  kLevel,            kNothing,                {1440,  360,  255,  255}, "1",                   "Текущий уровень игры", kShown,  {},          kLarge,   kTopCentre, "Текущий уровень игры"},
    Control{"Label1",   kLabel,  kCaption,          kNothing,                { 360,  360,  855,  255}, "Уровень",             {},                     kShown,  {},          kLarge},
};

constexpr std::array kInfo = {
//          name        kind      shows           does         x, y, width, height       caption                 tooltip shown    panel font      align     accessible text ground     wraps     picture
    Control{"Picture1", kPicture, kCaption,       kNothing,    { 360,  120,  495,  495}, {},                     {},     kShown,  {},   kDefault, kTopLeft, {},        {},  {},        kOneLine, "skull"},
    Control{"Command1", kButton,  kCaption,       kCloseAbout, {3480, 1680, 1455,  255}, "&Отмена"},
    Control{"Label3",   kLabel,   kCaption,       kNothing,    { 120, 1320, 1455,  255}, content::kAboutRights},
    Control{"Label2",   kLabel,   kCaption,       kNothing,    { 120,  960, 4815,  255}, content::kAboutCredits},
    Control{"Label1",   kLabel,   kBlinkingTitle, kNothing,    {1440,  240, 1815,  255}, "ТАРВИЛОН     1.0"},
};

constexpr std::array kLesnik = {
//          name        kind      shows          does                          x, y, width, height       caption                tooltip shown    panel font      align     accessible          text             ground     wraps     picture
    Control{"Picture1", kPicture, kCaption,      kNothing,                     { 120,  120, 1455, 1695}, {},                    {},     kShown,  {},   kDefault, kTopLeft, "Портрет лесника",  {},              {},        kOneLine, "forester"},
    Control{"Label6",   kClick,   kCaption,      ask(ForesterLine::Bye),       {1560, 2640,  495,  255}, forester::kBye,        {},     kShown,  {},   kDefault, kTopLeft, {},                 kForesterLines},
    Control{"Label5",   kClick,   kCaption,      ask(ForesterLine::SeeYou),    { 120, 2640,  975,  255}, forester::kSeeYou,     {},     kShown,  {},   kDefault, kTopLeft, {},                 kForesterLines},
    Control{"Label4",   kClick,   kCaption,      ask(ForesterLine::ComeWithMe),{ 120, 2400, 3615,  255}, forester::kComeWithMe, {},     kShown,  {},   kDefault, kTopLeft, {},                 kForesterLines},
    Control{"Label3",   kClick,   kCaption,      ask(ForesterLine::Settlement),{ 120, 2160, 3855,  255}, forester::kSettlement, {},     kShown,  {},   kDefault, kTopLeft, {},                 kForesterLines},
    Control{"Label2",   kClick,   kCaption,      ask(ForesterLine::WhoAreYou), { 120, 1920, 1935,  255}, forester::kWhoAreYou,  {},     kShown,  {},   kDefault, kTopLeft, {},                 kForesterLines},
    Control{"Label1",   kLabel,   kForesterSays, kNothing,                     {1680,  120, 2895, 1695}, {},                    {},     kShown,  {},   kDefault, kTopLeft, {},                 kForesterAnswer, {},        kWraps},
};

// On screen the lines stand in the order Label2, Label4, Label3, Label5, Label7, Label6.
constexpr std::array kMusik = {
//          name        kind      shows                               does                            x, y, width, height       caption                 tooltip shown    panel font      align     accessible           text ground     wraps     picture
    Control{"Picture1", kPicture, kCaption,                           kNothing,                       {3360,  120, 1215, 1815}, {},                     {},     kShown,  {},   kDefault, kTopLeft, "Портрет охранника", {},  {},        kOneLine, "guard"},
    Control{"Label7",   kClick,   offered(GuardLine::NoCoins),        say(GuardLine::NoCoins),        { 120, 3000, 2535,  255}, guard::kNoCoins,        {},     kHidden},
    Control{"Label6",   kClick,   offered(GuardLine::SeeYou),         say(GuardLine::SeeYou),         { 120, 3240,  855,  255}, guard::kSeeYou,         {},     kHidden},
    Control{"Label5",   kClick,   offered(GuardLine::Pay),            say(GuardLine::Pay),            { 120, 2760, 3495,  255}, guard::kPay,            {},     kHidden},
    Control{"Label4",   kClick,   offered(GuardLine::WhatIsHere),     say(GuardLine::WhatIsHere),     { 120, 2280, 2295,  255}, guard::kWhatIsHere,     {},     kHidden},
    Control{"Label3",   kClick,   offered(GuardLine::MayIEnter),      say(GuardLine::MayIEnter),      { 120, 2520, 2055,  255}, guard::kMayIEnter,      {},     kHidden},
    Control{"Label2",   kClick,   offered(GuardLine::AreYouTheGuard), say(GuardLine::AreYouTheGuard), { 120, 2040, 2175,  255}, guard::kAreYouTheGuard, {},     kShown},
    Control{"Label1",   kLabel,   kGuardSays,                         kNothing,                       {1080,  120, 2175, 1815}, {},                     {},     kShown,  {},   kDefault, kTopLeft, {},                  {},  {},        kWraps},
};

// The cards are dealt their words face down: written in the colour of their ground.
constexpr std::array kStol = {
//          name      kind    shows               does                x, y, width, height       caption          tooltip            shown    panel font      align       accessible text           ground         wraps
    Control{"Label7", kClick, kVictoryOffer,      kClaimVictory,      {2880, 2520,  735,  255}, cards::kVictory, {},                kHidden},
    Control{"Label6", kClick, kDeathOffer,        kAcceptDeath,       { 360, 2520,  975,  255}, cards::kYouDied, cards::kYouDiedTip, kHidden},
    Control{"Label5", kBoxed, kDeal,              kNothing,           {3240,  960,  495,  255}, {},              {},                kHidden, {},   kDefault, kTopLeft,   {},        {},            kCellGround},
    Control{"Label4", kClick, card(Card::Right),  turn(Card::Right),  {2760, 1320,  735, 1095}, {},              {},                kShown,  {},   kDefault, kTopCentre, kFaceDown, kFaceDownCard, kFaceDownCard},
    Control{"Label3", kClick, card(Card::Middle), turn(Card::Middle), {1560, 1320,  735, 1095}, {},              {},                kShown,  {},   kDefault, kTopCentre, kFaceDown, kFaceDownCard, kFaceDownCard},
    Control{"Label2", kClick, card(Card::Left),   turn(Card::Left),   { 360, 1320,  735, 1095}, {},              {},                kShown,  {},   kDefault, kTopCentre, kFaceDown, kFaceDownCard, kFaceDownCard},
    Control{"Label1", kLabel, kCaption,           kNothing,           { 240,  120, 3255,  855}, cards::kOffer,   {},                kShown,  {},   kDefault, kTopLeft,   {},        {},            {},            kWraps},
};

constexpr std::array kForm2 = {
//          name      kind    shows     does      x, y, width, height       caption                     tooltip shown    panel font      align     accessible text ground             wraps     picture border
    Control{"Text1",  kText,  kCaption, kNothing, { 120,  120, 5175, 3855}, content::kClosingNarrative, {},     kShown,  {},   kDefault, kTopLeft, "Эпилог",  {},  kNarrativeGround, kOneLine, {},     kBorderless},
    Control{"Label1", kClick, kCaption, kFinish,  {4320, 4080,  615,  255}, "Конец...",                 {},     kShown,  {},   kLarge},
};

// clang-format on

// The relations between rows, written by the rows' names and turned into rows when the tables
// are compiled: a name that is not in the window, a panel that is not one, or a reading order
// that leaves out or repeats a row fails the build.
template <std::size_t N>
using Rows = std::array<Row, N>;

// Not constexpr: a table whose relations reach it fails to compile.
void noSuchRow() {}

template <std::size_t N>
constexpr Row rowNamed(const std::array<Control, N>& table, std::string_view name) {
    for (std::size_t i = 0; i < N; ++i)
        if (table[i].name == name) return static_cast<Row>(i);
    noSuchRow();
    return kNoRow;
}

// Every row of the table once, in the order given.
template <std::size_t N>
constexpr Rows<N> inOrder(const std::array<Control, N>& table,
                          const std::array<std::string_view, N>& names) {
    Rows<N> rows{};
    std::array<bool, N> seen{};
    for (std::size_t i = 0; i < N; ++i) {
        rows[i] = rowNamed(table, names[i]);
        if (seen[static_cast<std::size_t>(rows[i])]) noSuchRow();
        seen[static_cast<std::size_t>(rows[i])] = true;
    }
    return rows;
}

// The panel column as rows: a panel stands before what it holds, so that it is built first.
template <std::size_t N>
constexpr Rows<N> panelsOf(const std::array<Control, N>& table) {
    Rows<N> rows{};
    for (std::size_t i = 0; i < N; ++i) {
        rows[i] = table[i].panel.empty() ? kNoRow : rowNamed(table, table[i].panel);
        if (rows[i] != kNoRow && (table[static_cast<std::size_t>(rows[i])].kind != kPanel ||
                                  static_cast<std::size_t>(rows[i]) >= i))
            noSuchRow();
    }
    return rows;
}

// A label on screen that names another control: a screen reader hears it as that control's
// name, and the touch view keeps the two together.
struct Caption {
    std::string_view label;
    std::string_view names;
};
template <std::size_t N, std::size_t M = 0>
constexpr Rows<N> labelled(const std::array<Control, N>& table,
                           const std::array<Caption, M>& captions = {}) {
    Rows<N> rows{};
    rows.fill(kNoRow);
    for (const Caption& c : captions) {
        const Row label = rowNamed(table, c.label);
        if (table[static_cast<std::size_t>(label)].kind != kLabel) noSuchRow();
        rows[static_cast<std::size_t>(rowNamed(table, c.names))] = label;
    }
    return rows;
}

// clang-format off
// The title, then the intro and its "ДАЛЕЕ...", which cover the window at start; then as the
// window reads: the level line and the buttons, the description with health at its corner,
// the response, the two headings, the actions panel, the column between the panels, and the
// inventory.
constexpr Rows<kForm1.size()> kForm1Reading = inOrder(kForm1, {
    "Text5", "Text4", "Label16",
    "Label1", "Label2", "Command3", "Command1", "Command2",
    "Text1", "Label15",
    "Text2",
    "Label3", "Label4",
    "Picture1", "Label7", "Label8", "Label9", "Label10", "Label11",
    "Label5", "Text3", "Label6",
    "Picture2", "Label12", "Label13", "Label14",
});
constexpr Rows<kInfo.size()> kInfoReading =
    inOrder(kInfo, {"Picture1", "Label1", "Label2", "Label3", "Command1"});
constexpr Rows<kLesnik.size()> kLesnikReading = inOrder(
    kLesnik, {"Picture1", "Label1", "Label2", "Label3", "Label4", "Label5", "Label6"});
constexpr Rows<kMusik.size()> kMusikReading = inOrder(
    kMusik, {"Label1", "Picture1", "Label2", "Label4", "Label3", "Label5", "Label7", "Label6"});
constexpr Rows<kStol.size()> kStolReading =
    inOrder(kStol, {"Label1", "Label5", "Label2", "Label3", "Label4", "Label6", "Label7"});
constexpr Rows<kForm2.size()> kForm2Reading = inOrder(kForm2, {"Text1", "Label1"});

constexpr auto kForm1Panels = panelsOf(kForm1);
constexpr auto kInfoPanels = panelsOf(kInfo);
constexpr auto kLesnikPanels = panelsOf(kLesnik);
constexpr auto kMusikPanels = panelsOf(kMusik);
constexpr auto kStolPanels = panelsOf(kStol);
constexpr auto kForm2Panels = panelsOf(kForm2);

// The level's heading names the level, and each panel's heading its panel.
constexpr auto kForm1Labels = labelled(kForm1, std::array{
    Caption{"Label1", "Label2"},
    Caption{"Label3", "Picture1"},
    Caption{"Label4", "Picture2"},
});
constexpr auto kInfoLabels = labelled(kInfo);
constexpr auto kLesnikLabels = labelled(kLesnik);
constexpr auto kMusikLabels = labelled(kMusik);
constexpr auto kStolLabels = labelled(kStol);
constexpr auto kForm2Labels = labelled(kForm2);

// Client areas: screen position of the top-left corner, then size.
constexpr std::array kWindows = {
//               window          name      title   accessible      x, y, width, height       ground         controls  reading          panels         labelled by
    WindowLayout{Window::Form1,  "Form1",  {},     "ТАРВИЛОН",     {2550, 1710, 5550, 5220}, kFaceGrey,     kForm1,   kForm1Reading,   kForm1Panels,  kForm1Labels},
    WindowLayout{Window::Info,   "info",   "Инфо", "Инфо",         {1905, 2670, 5070, 2130}, kFaceGrey,     kInfo,    kInfoReading,    kInfoPanels,   kInfoLabels},
    WindowLayout{Window::Lesnik, "lesnik", {},     "Лесник",       {2115, 2265, 4680, 2985}, kForestGround, kLesnik,  kLesnikReading,  kLesnikPanels, kLesnikLabels},
    WindowLayout{Window::Musik,  "musik",  {},     "Охранник",     {2115, 1710, 4680, 3615}, kFaceGrey,     kMusik,   kMusikReading,   kMusikPanels,  kMusikLabels},
    WindowLayout{Window::Stol,   "Stol",   {},     "Карты судьбы", {2340, 1605, 3825, 2970}, kFaceGrey,     kStol,    kStolReading,    kStolPanels,   kStolLabels},
    WindowLayout{Window::Form2,  "Form2",  {},     "Конец",        {2595, 1920, 5400, 4410}, kFaceGrey,     kForm2,   kForm2Reading,   kForm2Panels,  kForm2Labels},
};
// clang-format on

// The windows as a player sees them, checked as the tables compile. Each check gives the first
// row that breaks it as the window's number times 100 plus the row, so that the compiler's
// message names it: "the comparison reduces to '(305 == -1)'" is row 5 of musik (window 3).
template <typename Holds>
constexpr int firstRowBreaking(Holds holds) {
    for (const WindowLayout& w : kWindows)
        for (std::size_t r = 0; r < w.controls.size(); ++r)
            if (!holds(w, static_cast<Row>(r)))
                return static_cast<int>(w.window) * 100 + static_cast<int>(r);
    return kNoRow;
}

constexpr const Control& at(const WindowLayout& w, Row r) {
    return w.controls[static_cast<std::size_t>(r)];
}
constexpr Row panelOf(const WindowLayout& w, Row r) {
    return w.panels[static_cast<std::size_t>(r)];
}

// Whether the spans [a, a + n) and [b, b + m) share more than `seam` twips.
constexpr bool share(int a, int n, int b, int m, int seam = 0) {
    return std::min(a + n, b + m) - std::max(a, b) > seam;
}

// Inside its panel, or else its window; and a panel holds controls of one kind, the verbs or
// the slots, so that a control moved into the wrong panel shows here.
constexpr bool standsInItsPlace(const WindowLayout& w, Row r) {
    const Control& c = at(w, r);
    const Row panel = panelOf(w, r);
    const Rect room = panel == kNoRow ? w.rect : at(w, panel).rect;
    if (c.rect.x < 0 || c.rect.y < 0 || c.rect.x + c.rect.width > room.width ||
        c.rect.y + c.rect.height > room.height)
        return false;
    for (Row q = 0; q < r; ++q)
        if (panel != kNoRow && panelOf(w, q) == panel && at(w, q).kind != c.kind) return false;
    return true;
}

// A control drawn as clickable does something, only the input box takes typing, and a box a
// screen reader lands in is named: else a click would look live and do nothing, or reach the
// game unseen.
constexpr bool actsAsItLooks(const WindowLayout& w, Row r) {
    const Control& c = at(w, r);
    const bool clickable = c.kind == kVerb || c.kind == kClick || c.kind == kButton;
    const bool typed = c.does.what == Doing::Type;
    return clickable == (c.does.what != Doing::Nothing && !typed) && (c.kind == kInput) == typed &&
           ((c.kind != kText && c.kind != kInput) || !c.accessible.empty());
}

// Nothing a player must see or click lies over another control of its panel, or of its window,
// but what covers the window at start, which lies over what stands beneath it and not over its
// own kind: the intro's "ДАЛЕЕ..." stands clear of the intro. The labels stand 240 twips apart
// and are 255 high: a pixel's seam between neighbours is how they were drawn, not an overlap.
constexpr bool coversNoOther(const WindowLayout& w, Row r) {
    const Control& c = at(w, r);
    for (Row above = 0; above < r; ++above) {
        const Control& a = at(w, above);
        if (panelOf(w, above) != panelOf(w, r) ||
            !share(a.rect.x, a.rect.width, c.rect.x, c.rect.width, kTwipsPerPixel) ||
            !share(a.rect.y, a.rect.height, c.rect.y, c.rect.height, kTwipsPerPixel))
            continue;
        if (!coversAtStart(a) || a.shows.what == c.shows.what) return false;
    }
    return true;
}

// The reading order is the order the window is seen in: what covers it first, from the top of
// the stack down, and a panel's controls straight after the panel. Among the rest, and among
// a panel's controls, each stands lower than the one read before it where the two share
// columns; otherwise it is not wholly above it and, where the two share a band, not wholly to
// its left.
constexpr bool readInItsPlace(const WindowLayout& w, Row r) {
    std::size_t i = 0;
    while (w.reading[i] != r) ++i;
    if (i == 0) return true;
    const Row before = w.reading[i - 1];
    if (coversAtStart(at(w, r))) return coversAtStart(at(w, before)) && before < r;
    const Row panel = panelOf(w, r);
    if (panel != kNoRow && before != panel && panelOf(w, before) != panel) return false;
    for (std::size_t j = i; j-- > 0;) {
        const Row q = w.reading[j];
        if (q == panel || coversAtStart(at(w, q))) break;
        if (panelOf(w, q) != panel) continue;
        const Rect& a = at(w, q).rect;
        const Rect& b = at(w, r).rect;
        if (share(a.x, a.width, b.x, b.width)) return b.y > a.y;
        return b.y + b.height > a.y &&
               (!share(a.y, a.height, b.y, b.height) || b.x + b.width > a.x);
    }
    return true;
}

// How many calls or cells of a kind there are: one for each verb, line, card or slot.
constexpr int operands(Doing what) {
    switch (what) {
        case Doing::Press:
            return static_cast<int>(valueCount<Verb>());
        case Doing::Ask:
            return static_cast<int>(ForesterLine::Bye) + 1;
        case Doing::Say:
            return static_cast<int>(kGuardLineCount);
        case Doing::Turn:
            return static_cast<int>(kCardCount);
        default:
            return what == Doing::Nothing ? 0 : 1;
    }
}
constexpr int operands(Showing what) {
    switch (what) {
        case Showing::Slot:
            return static_cast<int>(Slot::Pouch) + 1;
        case Showing::GuardLine:
            return static_cast<int>(kGuardLineCount);
        case Showing::Card:
            return static_cast<int>(kCardCount);
        default:
            return what == Showing::Caption ? 0 : 1;
    }
}

// Every call a player can make on the game, and every cell the game writes, is reached through
// exactly one control, but what covers the window through one or more (the intro and its
// "ДАЛЕЕ..."): a mistyped does or shows leaves a verb, a line or a card out of reach, or a cell
// unshown. Gives the first that is not, as its kind's number times 10 plus its operand.
template <typename What, typename Field>
constexpr int firstNotReachedOnce(Field field) {
    for (std::size_t k = 0; k < valueCount<What>(); ++k) {
        const auto what = static_cast<What>(k);
        for (int which = 0; which < operands(what); ++which) {
            int controls = 0;
            bool cover = false;
            for (const WindowLayout& w : kWindows)
                for (const Control& c : w.controls)
                    if (field(c).what == what && field(c).which == which) {
                        ++controls;
                        cover = coversAtStart(c);
                    }
            if (controls == 0 || (controls > 1 && !cover)) return static_cast<int>(k) * 10 + which;
        }
    }
    return kNoRow;
}

static_assert(firstNotReachedOnce<Doing>([](const Control& c) { return c.does; }) == kNoRow,
              "a call on the game that no control makes, or two do");
static_assert(firstNotReachedOnce<Showing>([](const Control& c) { return c.shows; }) == kNoRow,
              "a cell of the game that no control shows, or two do");
static_assert(firstRowBreaking(actsAsItLooks) == kNoRow,
              "a control that looks clickable and does nothing, or the reverse, or a box unnamed");
static_assert(firstRowBreaking(standsInItsPlace) == kNoRow,
              "a control outside its panel or window, or among controls of another kind");
static_assert(firstRowBreaking(coversNoOther) == kNoRow,
              "a control lies over another that a player must see or click");
static_assert(firstRowBreaking(readInItsPlace) == kNoRow,
              "the reading order goes against the window as it is seen");

}  // namespace

std::span<const WindowLayout> windows() {
    return kWindows;
}

const WindowLayout& of(Window window) {
    return kWindows[static_cast<std::size_t>(window)];
}

const Control* showing(Window window, Shows shows) {
    for (const Control& c : of(window).controls)
        if (c.shows == shows) return &c;
    return nullptr;
}

const Control* doing(Window window, Does does) {
    for (const Control& c : of(window).controls)
        if (c.does == does) return &c;
    return nullptr;
}

Row rowOf(const WindowLayout& window, const Control& control) {
    return static_cast<Row>(&control - window.controls.data());
}

// The rows stand in the windows' own order, so that of() can index them.
static_assert([] {
    for (std::size_t i = 0; i < kWindows.size(); ++i)
        if (static_cast<std::size_t>(kWindows[i].window) != i) return false;
    return kWindows.size() == kWindowCount;
}());

}  // namespace tarvilon::layout
