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

// The window that every control belongs to. Form1 is the main window; the others are the
// engine's secondary windows.
enum class Form { Form1, Info, Lesnik, Musik, Stol, Form2 };

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

enum class Align { TopLeft, TopCentre, Centre };

struct Control {
    std::string_view name;  // as the form names it: "Label10", "Text2"
    Kind kind = Kind::Label;
    Rect rect;                      // twips, relative to its panel or else its window
    std::string_view caption = {};  // as first drawn; view() gives what it shows later
    std::string_view tooltip = {};
    bool visible = true;          // at load
    std::string_view panel = {};  // the panel it sits in, or empty for the window
    Font font = Font::Default;
    Align align = Align::TopLeft;
    // What a screen reader is told: a text box's or picture's name, a cell's description.
    std::string_view accessible = {};
    std::optional<Colour> text = {};        // text colour, where not the window's
    std::optional<Colour> background = {};  // filled background; transparent where empty
    bool wrap = false;                      // a label that wraps its caption
    std::string_view picture = {};          // Kind::Picture: "forester", "guard", "skull"
    bool border = true;                     // Kind::Text: a sunken border round the box
};

struct WindowLayout {
    Form form = Form::Form1;
    std::string_view name;        // "Form1", "lesnik", ...
    std::string_view title;       // the title bar's caption; empty: no title bar
    std::string_view accessible;  // what a screen reader calls the window
    Rect rect;                    // screen position and client size, twips
    Colour background;
    std::span<const Control> controls;  // from the top of the stacking order down
};

[[nodiscard]] std::span<const WindowLayout> windows();
[[nodiscard]] const WindowLayout& of(Form form);
// Null where the form has no control of that name.
[[nodiscard]] const Control* find(Form form, std::string_view control);
// The form that shows the engine's secondary window.
[[nodiscard]] Form formOf(Window window);

// What a control shows now. Only the fields a control can change during a run are here.
struct Shown {
    std::string text;  // caption or box content, UTF-8, CR LF as the game writes it
    bool visible = true;
    // The text colour where it is not the table's: a turned card, the blinking title.
    std::optional<Colour> textColour;
    // What a screen reader is told now: the table's, or a turned card's word.
    std::string accessible;
};
[[nodiscard]] Shown view(const Game& game, Form form, const Control& control);

// Whether the form's window exists yet (each is made on first use and then only shown and
// hidden), whether it is on screen now, and whether it takes input.
[[nodiscard]] bool created(const Game& game, Form form);
[[nodiscard]] bool visible(const Game& game, Form form);
[[nodiscard]] bool enabled(const Game& game, Form form);

// A click on the named control: the one call on the game it stands for. Returns false, and
// does nothing, for a control that takes no clicks (minimise is the front end's own).
bool click(Game& game, Form form, std::string_view control);

}  // namespace tarvilon::layout
