#pragma once

// What both front ends need to draw the game's windows, and nothing they would draw with:
// every control's kind, place in twips, stacking, caption, tooltip, font, alignment, colours
// and accessible name (the tables), what each control shows in a given state of the game
// (view), and which call on the game a click on it makes (click). The Qt front end builds
// widgets from this, the browser page builds elements from it; neither holds a rule.
// Standard C++ only.

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "game.hpp"

namespace tarvilon::layout {

// Twips: 1/1440 inch, 15 to a pixel at 96 dots per inch, as the windows were designed.
inline constexpr int kTwipsPerPixel = 15;

// Timer1 of the main window ends the title splash after this long, and stops.
inline constexpr int kSplashMilliseconds = 2000;
// Timer1 of the about window blinks its title at this interval, for as long as the program runs.
inline constexpr int kBlinkMilliseconds = 10;

struct Rect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    friend bool operator==(const Rect&, const Rect&) = default;
};

struct Colour {
    std::uint8_t r = 0;
    std::uint8_t g = 0;
    std::uint8_t b = 0;
    friend bool operator==(const Colour&, const Colour&) = default;
};

// The colours the windows name. The face grey is every window's background unless its table
// says otherwise; the three of the classic 16-colour palette are those the game writes.
inline constexpr Colour kFaceGrey{192, 192, 192};
inline constexpr Colour kBlack{0, 0, 0};
inline constexpr Colour kWhite{255, 255, 255};
inline constexpr Colour kDarkBlue{0, 0, 128};         // colour 1
inline constexpr Colour kDarkGreen{0, 128, 0};        // colour 2
inline constexpr Colour kBrightWhite{255, 255, 255};  // colour 15

enum class Kind {
    Label,    // a plain label
    Boxed,    // a label in a single-line border on white: a state cell
    Verb,     // a clickable label with the hand pointer
    Click,    // a clickable label with the ordinary pointer
    Text,     // a multi-line read-only box with a vertical scroll bar
    Input,    // the one-line box the player types into
    Splash,   // the borderless title splash
    Panel,    // a sunken panel that holds labels
    Button,   // a push button
    Picture,  // a drawing (portrait, skull)
};

enum class Font {
    Default,  // 8.25 pt
    Large,    // 9.75 pt
    Title,    // 24 pt bold
    Small,    // 8.25 pt bold
};

// The size and weight of each font; the face is the front end's (both bundle one).
struct FontSize {
    double points = 0;
    bool bold = false;
};
[[nodiscard]] constexpr FontSize size(Font font) {
    switch (font) {
        case Font::Default:
            return {8.25, false};
        case Font::Large:
            return {9.75, false};
        case Font::Title:
            return {24, true};
        case Font::Small:
            return {8.25, true};
    }
    return {};
}

// A label's text is drawn from its top, at the left or centred across.
enum class Align { TopLeft, TopCentre };

// What a control shows of the game, where not its own caption. The operand says which slot,
// card or line; the table's helpers below write it.
struct Shows {
    enum class What : std::uint8_t {
        Caption,          // its own caption, always
        Level,            // the level cell
        Health,           // the health cell
        Slot,             // an inventory slot (which: Slot)
        DigShootCaption,  // the dig-and-shoot verb's caption, which the game changes
        Description,      // the description box
        Response,         // the response box, which verbs write and test
        Word,             // the input box: the object word
        Splash,           // its caption while the title splash is up
        Intro,            // its caption while the intro is up
        ForesterAnswer,   // the forester's last answer
        GuardAnswer,      // the guard's last answer
        GuardLine,        // its caption while the guard offers the line (which: GuardLine)
        Card,             // a card of fate, face down or turned (which: Card)
        Deal,             // the number the card table dealt
        DeathOffer,       // "Вы погибли", once the cards offer it
        VictoryOffer,     // "Победа!", once the cards offer it
        BlinkingTitle,    // the about box's title, in the colour of its blink
    };
    What what = What::Caption;
    int which = 0;
    friend bool operator==(const Shows&, const Shows&) = default;
};

// What a click on a control does: one call on the game, or a minimise.
struct Does {
    enum class What : std::uint8_t {
        Nothing,
        Press,         // a verb (which: Verb)
        DismissIntro,  // "ДАЛЕЕ..."
        Minimise,      // the window system's, not the game's
        Exit,
        OpenAbout,
        CloseAbout,
        Ask,   // a forester line (which: ForesterLine)
        Say,   // a guard line (which: GuardLine)
        Turn,  // a card (which: Card)
        ClaimVictory,
        AcceptDeath,
        Finish,  // "Конец..."
        Type,    // the input box: typing edits the object word
    };
    What what = What::Nothing;
    int which = 0;
    friend bool operator==(const Does&, const Does&) = default;
};

struct Control {
    std::string_view name;  // as the form names it: "Label10", "Text2"
    Kind kind = Kind::Label;
    Shows shows = {};               // what of the game it shows, where not its caption
    Does does = {};                 // what a click on it does
    Rect rect;                      // twips, relative to its panel or else its window
    std::string_view caption = {};  // as first drawn; view() gives what it shows later
    std::string_view tooltip = {};
    bool visible = true;          // at load
    std::string_view panel = {};  // the panel it sits in, or empty for the window
    Font font = Font::Default;
    Align align = Align::TopLeft;
    // What a screen reader is told: a text box's or picture's name, a cell's description.
    std::string_view accessible = {};
    std::optional<Colour> textColour = {};  // where not the window's
    std::optional<Colour> background = {};  // filled background; transparent where empty
    bool wrap = false;                      // a label that wraps its caption
    std::string_view picture = {};          // Kind::Picture: "forester", "guard", "skull"
    bool border = true;                     // Kind::Text: a sunken border round the box
};

// A control's place in its window's table: the index of its row in `controls`.
using Row = int;
inline constexpr Row kNoRow = -1;

struct WindowLayout {
    Window window = Window::Form1;
    std::string_view name;        // "Form1", "lesnik", ...
    std::string_view title;       // the title bar's caption; empty: no title bar
    std::string_view accessible;  // what a screen reader calls the window
    Rect rect;                    // screen position and client size, twips
    Colour background;
    std::span<const Control> controls;  // from the top of the stacking order down
    // Every row once, in the order a player reads the window: what covers the window first,
    // then top to bottom and left to right, a panel's controls straight after the panel. A
    // screen reader walks it; its part that takes focus is the Tab order of both editions.
    std::span<const Row> reading;
    // For each row, the row of the panel it sits in (its `panel` column), or kNoRow.
    std::span<const Row> panels;
    // For each row, the row of the label that names it on screen, or kNoRow.
    std::span<const Row> labelledBy;
};

[[nodiscard]] std::span<const WindowLayout> windows();
[[nodiscard]] const WindowLayout& of(Window window);
// The window's control that shows, or does, this; null where none does.
[[nodiscard]] const Control* showing(Window window, Shows shows);
[[nodiscard]] const Control* doing(Window window, Does does);
// The row of one of the window's own controls.
[[nodiscard]] Row rowOf(const WindowLayout& window, const Control& control);

// What the keyboard can reach: what a click acts on, and the boxes a screen reader reads
// again at will. The splash and the labels that only show a cell take no focus.
[[nodiscard]] constexpr bool takesFocus(Kind kind) {
    return kind == Kind::Verb || kind == Kind::Click || kind == Kind::Button ||
           kind == Kind::Input || kind == Kind::Text;
}

// What a control shows now. Only the fields a control can change during a run are here.
struct Shown {
    std::string text;  // caption or box content, UTF-8, CR LF as the game writes it
    bool visible = true;
    // The text colour where it is not the table's: a turned card, the blinking title.
    std::optional<Colour> textColour;
    // What a screen reader is told now: the table's, or a turned card's word.
    std::string accessible;
};
[[nodiscard]] Shown view(const Game& game, const Control& control);

// Whether the window exists yet (each is made on first use and then only shown and hidden),
// whether it is on screen now, and whether it takes input.
[[nodiscard]] bool created(const Game& game, Window window);
[[nodiscard]] bool visible(const Game& game, Window window);
[[nodiscard]] bool enabled(const Game& game, Window window);
// The window's controls that Tab reaches now, in reading order: those that take focus and are
// shown, none while the window takes no input.
[[nodiscard]] std::vector<const Control*> tabOrder(const Game& game, Window window);

// What became of a click, for the front end: nothing (the control takes no clicks, or its
// window takes no input now), a call on the game (redraw), or a minimise, which is the window
// system's business.
enum class Clicked { Nothing, Played, Minimise };
Clicked click(Game& game, const Control& control);
// The player's edit of a box that takes typing: the box's whole new text.
void type(Game& game, const Control& control, std::string_view text);
// The window system asks the window to close (Alt+F4, Escape on a page's dialogue).
void requestClose(Game& game, Window window);

// What a screen reader says as soon as it changes, wherever the focus is: the response box a
// verb writes, the description Look around writes, a dialogue's answer, and a card as it
// turns (its accessible name becomes its word). A front end announces the new text, or the
// card's new name, when it is not empty.
[[nodiscard]] constexpr bool announces(const Control& c) {
    using enum Shows::What;
    return c.shows.what == Response || c.shows.what == Description ||
           c.shows.what == ForesterAnswer || c.shows.what == GuardAnswer || c.shows.what == Card;
}
// What covers the main window at start and then goes: the title splash, the intro and its
// "ДАЛЕЕ...". It lies over what stands beneath it, and a player reads it first.
[[nodiscard]] constexpr bool coversAtStart(const Control& c) {
    return c.shows.what == Shows::What::Splash || c.shows.what == Shows::What::Intro;
}
// The title that a timer of its window redraws on its own.
[[nodiscard]] constexpr bool blinks(const Control& c) {
    return c.shows.what == Shows::What::BlinkingTitle;
}

// The game in another language: what a catalog makes of the tables' texts and of what each
// control shows, and the Russian word a typed word stands for. Every front end goes through
// these, so that a text is translated in one place; with the empty catalog each is exactly
// the Russian game's own call above.
class Catalog;
// The row with its caption, tooltip and accessible name in the catalog's language; everything
// else is the row's. Its texts may point into the catalog, which must outlive it.
[[nodiscard]] Control translated(const Control& control, const Catalog& catalog);
// The window's title and accessible name in the catalog's language; its controls stay the
// table's rows (translate each as it is built).
[[nodiscard]] WindowLayout translated(const WindowLayout& window, const Catalog& catalog);
// What a control shows now, read in the catalog's language. The input box shows the player's
// word as the player typed it: the game's Russian word in that language, or a word the
// catalog does not know just as it was typed.
[[nodiscard]] Shown view(const Game& game, const Control& control, const Catalog& catalog);
// The player's edit, in the catalog's language: a word of its object words reaches the game
// as the Russian word it stands for, any other text as typed.
void type(Game& game, const Control& control, std::string_view text, const Catalog& catalog);

// A one-line caption too long for the width it is drawn in takes the largest size below the
// table's, in these steps and not below the floor, at which it fits. Both front ends fit
// every caption with this, whenever its text changes; `width(points)` measures the caption.
inline constexpr double kFitStep = 0.25;
inline constexpr double kFitSmallest = 5.5;
template <typename Measure>
[[nodiscard]] double fittedPoints(double points, double room, Measure width) {
    while (width(points) > room && points - kFitStep >= kFitSmallest) points -= kFitStep;
    return points;
}

// A state cell draws its text inside a one-pixel border, indented two pixels more on each
// side; its caption is fitted to what is left.
inline constexpr int kCellBorderPx = 1;
inline constexpr int kCellIndentPx = 2;
// The about window's title bar, where a front end draws one itself.
inline constexpr int kTitleBarPx = 18;

}  // namespace tarvilon::layout
