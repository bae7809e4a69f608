// The six windows as they were designed: one row per control, from the top of the stacking
// order down (a control listed earlier covers a later one where they overlap). Places are
// twips, relative to the control's panel where it has one, else to its window's client area.
// Captions the engine owns are its constants; the rest are the windows' own.

#include <array>

#include "content/about.hpp"
#include "content/ending.hpp"
#include "content/places.hpp"
#include "content/texts.hpp"
#include "layout.hpp"

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
constexpr auto kCentre = Align::Centre;

constexpr bool kShown = true;
constexpr bool kHidden = false;
constexpr bool kWraps = true;

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
//          name        kind     x, y, width, height       caption                tooltip                 shown    panel        font      align       accessible              text          ground
    Control{"Text5",    kSplash, { 600, 1800, 4455,  615}, "  ТАРВИЛОН",          {},                     kShown,  {},          kTitle,   kTopLeft,   {},                     kSplashLetters, kSplashGround},
    Control{"Command3", kButton, {3600,  120, 1095,  255}, "&Инфо"},
    Control{"Text4",    kText,   { 840,  360, 3855, 3495}, content::kIntroStory,  {},                     kHidden, {},          kDefault, kTopLeft,   "Предыстория",          {},           kCellGround},
    Control{"Text3",    kInput,  {2040, 4200, 1455,  285}, {},                    {},                     kShown,  {},          kDefault, kTopLeft,   "Предмет",              {},           kCellGround},
    Control{"Picture2", kPanel,  {3840, 3480, 1575, 1575}, {},                    "Инвентарь"},
    Control{"Label14",  kBoxed,  { 120, 1080, 1215,  255}, {},                    {},                     kShown,  "Picture2",  kDefault, kTopLeft,   "Инвентарь: 3",         {},           kCellGround},
    Control{"Label13",  kBoxed,  { 120,  600, 1215,  255}, {},                    {},                     kShown,  "Picture2",  kDefault, kTopLeft,   "Инвентарь: 2",         {},           kCellGround},
    Control{"Label12",  kBoxed,  { 120,  120, 1215,  255}, {},                    {},                     kShown,  "Picture2",  kDefault, kTopLeft,   "Инвентарь: 1",         {},           kCellGround},
    Control{"Picture1", kPanel,  { 240, 3480, 1575, 1575}, {},                    "Действия"},
    Control{"Label11",  kVerb,   { 240, 1080, 1095,  255}, "Подобрать",           {},                     kShown,  "Picture1",  kLarge},
    Control{"Label10",  kVerb,   { 360,  840,  855,  255}, text::kDigCaption,     {},                     kShown,  "Picture1",  kLarge,   kTopCentre},
    Control{"Label9",   kVerb,   { 240,  600, 1095,  255}, "Мастерить",           {},                     kShown,  "Picture1",  kLarge},
    Control{"Label8",   kVerb,   { 360,  360,  735,  255}, "Идти",                {},                     kShown,  "Picture1",  kLarge,   kTopCentre},
    Control{"Label7",   kVerb,   { 240,  120,  975,  255}, "Разговор",            {},                     kShown,  "Picture1",  kLarge},
    Control{"Text2",    kText,   { 240, 2040, 5055,  975}, {},                    {},                     kShown,  {},          kDefault, kTopLeft,   "Ответ",                {},           kCellGround},
    Control{"Text1",    kText,   { 240,  720, 2895, 1215}, {},                    {},                     kShown,  {},          kDefault, kTopLeft,   "Описание места",       {},           kCellGround},
    Control{"Command2", kButton, {5160,  120,  255,  255}, {},                    "Выход",                kShown,  {},          kSmall,   kTopLeft,   "Выход"},
    Control{"Command1", kButton, {4800,  120,  255,  255}, {},                    "Свернуть",             kShown,  {},          kSmall,   kTopLeft,   "Свернуть"},
    Control{"Label16",  kClick,  {3000, 3960,  735,  255}, "ДАЛЕЕ...",            {},                     kHidden},
    Control{"Label15",  kBoxed,  {3240, 1680,  375,  255}, "25",                  "Здоровье",             kShown,  {},          kDefault, kTopLeft,   "Здоровье",             {},           kCellGround},
    Control{"Label6",   kVerb,   {2160, 4560, 1335,  255}, "ОБСЛЕДОВАТЬ"},
    Control{"Label5",   kVerb,   {2160, 3480, 1335,  255}, "ОСМОТРЕТЬСЯ"},
    Control{"Label4",   kLabel,  {4320, 3120,  855,  255}, "Инвентарь",           {},                     kShown,  {},          kDefault, kTopLeft,   {},                     kBlack},
    Control{"Label3",   kLabel,  { 360, 3120,  855,  255}, "Действия"},
    Control{"Label2",   kLabel,  {1440,  360,  255,  255}, "1",                   "Текущий уровень игры", kShown,  {},          kLarge,   kTopCentre, "Текущий уровень игры"},
    Control{"Label1",   kLabel,  { 360,  360,  855,  255}, "Уровень",             {},                     kShown,  {},          kLarge},
};

constexpr std::array kInfo = {
//          name        kind      x, y, width, height       caption                 tooltip shown    panel font      align     accessible text ground     wraps  picture
    Control{"Picture1", kPicture, { 360,  120,  495,  495}, {},                     {},     kShown,  {},   kDefault, kTopLeft, {},        {},  {},        false, "skull"},
    Control{"Command1", kButton,  {3480, 1680, 1455,  255}, "&Отмена"},
    Control{"Label3",   kLabel,   { 120, 1320, 1455,  255}, content::kAboutRights},
    Control{"Label2",   kLabel,   { 120,  960, 4815,  255}, content::kAboutCredits},
    Control{"Label1",   kLabel,   {1440,  240, 1815,  255}, "ТАРВИЛОН     1.0"},
};

constexpr std::array kLesnik = {
//          name        kind      x, y, width, height       caption                tooltip shown    panel font      align     accessible          text             ground     wraps   picture
    Control{"Picture1", kPicture, { 120,  120, 1455, 1695}, {},                    {},     kShown,  {},   kDefault, kTopLeft, "Портрет лесника",  {},              {},        false,  "forester"},
    Control{"Label6",   kClick,   {1560, 2640,  495,  255}, forester::kBye,        {},     kShown,  {},   kDefault, kTopLeft, {},                 kForesterLines},
    Control{"Label5",   kClick,   { 120, 2640,  975,  255}, forester::kSeeYou,     {},     kShown,  {},   kDefault, kTopLeft, {},                 kForesterLines},
    Control{"Label4",   kClick,   { 120, 2400, 3615,  255}, forester::kComeWithMe, {},     kShown,  {},   kDefault, kTopLeft, {},                 kForesterLines},
    Control{"Label3",   kClick,   { 120, 2160, 3855,  255}, forester::kSettlement, {},     kShown,  {},   kDefault, kTopLeft, {},                 kForesterLines},
    Control{"Label2",   kClick,   { 120, 1920, 1935,  255}, forester::kWhoAreYou,  {},     kShown,  {},   kDefault, kTopLeft, {},                 kForesterLines},
    Control{"Label1",   kLabel,   {1680,  120, 2895, 1695}, {},                    {},     kShown,  {},   kDefault, kTopLeft, {},                 kForesterAnswer, {},        kWraps},
};

// On screen the lines stand in the order Label2, Label4, Label3, Label5, Label7, Label6.
constexpr std::array kMusik = {
//          name        kind      x, y, width, height       caption                 tooltip shown    panel font      align     accessible           text ground     wraps   picture
    Control{"Picture1", kPicture, {3360,  120, 1215, 1815}, {},                     {},     kShown,  {},   kDefault, kTopLeft, "Портрет охранника", {},  {},        false,  "guard"},
    Control{"Label7",   kClick,   { 120, 3000, 2535,  255}, guard::kNoCoins,        {},     kHidden},
    Control{"Label6",   kClick,   { 120, 3240,  855,  255}, guard::kSeeYou,         {},     kHidden},
    Control{"Label5",   kClick,   { 120, 2760, 3495,  255}, guard::kPay,            {},     kHidden},
    Control{"Label4",   kClick,   { 120, 2280, 2295,  255}, guard::kWhatIsHere,     {},     kHidden},
    Control{"Label3",   kClick,   { 120, 2520, 2055,  255}, guard::kMayIEnter,      {},     kHidden},
    Control{"Label2",   kClick,   { 120, 2040, 2175,  255}, guard::kAreYouTheGuard, {},     kShown},
    Control{"Label1",   kLabel,   {1080,  120, 2175, 1815}, {},                     {},     kShown,  {},   kDefault, kTopLeft, {},                  {},  {},        kWraps},
};

// The cards are dealt their words face down: written in the colour of their ground.
constexpr std::array kStol = {
//          name      kind    x, y, width, height       caption          tooltip            shown    panel font      align     accessible text         ground       wraps
    Control{"Label7", kClick, {2880, 2520,  735,  255}, cards::kVictory, {},                kHidden},
    Control{"Label6", kClick, { 360, 2520,  975,  255}, cards::kYouDied, cards::kYouDiedTip, kHidden},
    Control{"Label5", kBoxed, {3240,  960,  495,  255}, {},              {},                kHidden, {},   kDefault, kTopLeft, {},        {},          kCellGround},
    Control{"Label4", kClick, {2760, 1320,  735, 1095}, {},              {},                kShown,  {},   kDefault, kCentre,  kFaceDown, kFaceDownCard, kFaceDownCard},
    Control{"Label3", kClick, {1560, 1320,  735, 1095}, {},              {},                kShown,  {},   kDefault, kCentre,  kFaceDown, kFaceDownCard, kFaceDownCard},
    Control{"Label2", kClick, { 360, 1320,  735, 1095}, {},              {},                kShown,  {},   kDefault, kCentre,  kFaceDown, kFaceDownCard, kFaceDownCard},
    Control{"Label1", kLabel, { 240,  120, 3255,  855}, cards::kOffer,   {},                kShown,  {},   kDefault, kTopLeft, {},        {},          {},          kWraps},
};

constexpr std::array kForm2 = {
//          name      kind    x, y, width, height       caption                     tooltip shown    panel font      align     accessible text ground         wraps  picture border
    Control{"Text1",  kText,  { 120,  120, 5175, 3855}, content::kClosingNarrative, {},     kShown,  {},   kDefault, kTopLeft, {},        {},  kNarrativeGround, false, {},     false},
    Control{"Label1", kClick, {4320, 4080,  615,  255}, "Конец...",                 {},     kShown,  {},   kLarge},
};

// Client areas: screen position of the top-left corner, then size.
constexpr std::array kWindows = {
//               form          name      title   accessible      x, y, width, height       ground         controls
    WindowLayout{Form::Form1,  "Form1",  {},     "ТАРВИЛОН",     {2550, 1710, 5550, 5220}, kFaceGrey,     kForm1},
    WindowLayout{Form::Info,   "info",   "Инфо", "Инфо",         {1905, 2670, 5070, 2130}, kFaceGrey,     kInfo},
    WindowLayout{Form::Lesnik, "lesnik", {},     "Лесник",       {2115, 2265, 4680, 2985}, kForestGround, kLesnik},
    WindowLayout{Form::Musik,  "musik",  {},     "Охранник",     {2115, 1710, 4680, 3615}, kFaceGrey,     kMusik},
    WindowLayout{Form::Stol,   "Stol",   {},     "Карты судьбы", {2340, 1605, 3825, 2970}, kFaceGrey,     kStol},
    WindowLayout{Form::Form2,  "Form2",  {},     "Конец",        {2595, 1920, 5400, 4410}, kFaceGrey,     kForm2},
};
// clang-format on

}  // namespace

std::span<const WindowLayout> windows() {
    return kWindows;
}

const WindowLayout& of(Form form) {
    for (const WindowLayout& w : kWindows)
        if (w.form == form) return w;
    return kWindows.front();  // unreachable: every form has a row
}

const Control* find(Form form, std::string_view control) {
    for (const Control& c : of(form).controls)
        if (c.name == control) return &c;
    return nullptr;
}

}  // namespace tarvilon::layout
