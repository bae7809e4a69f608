#include "layout_json.hpp"

#include <array>
#include <cmath>

namespace tarvilon::layout {
namespace {

// Hand-written rather than printf-style formatting, which would more than double the size of
// the browser edition's module.
void appendNumber(std::string& out, int n) {
    out += std::to_string(n);
}

constexpr std::string_view kHexDigits = "0123456789abcdef";

void appendHexByte(std::string& out, unsigned byte) {
    out += kHexDigits[(byte >> 4U) & 0xFU];
    out += kHexDigits[byte & 0xFU];
}

// A font size in points, which the tables give to the hundredth: 8.25, 9.75, 24.
void appendPoints(std::string& out, double points) {
    constexpr int kHundred = 100;
    const auto hundredths = static_cast<int>(std::lround(points * kHundred));
    appendNumber(out, hundredths / kHundred);
    int fraction = hundredths % kHundred;
    if (fraction == 0) return;
    out += '.';
    constexpr int kTen = 10;
    out += static_cast<char>('0' + fraction / kTen);
    fraction %= kTen;
    if (fraction != 0) out += static_cast<char>('0' + fraction);
}

void appendBool(std::string& out, bool b) {
    out += b ? "true" : "false";
}

void appendRect(std::string& out, const Rect& r) {
    out += '[';
    appendNumber(out, r.x);
    out += ',';
    appendNumber(out, r.y);
    out += ',';
    appendNumber(out, r.width);
    out += ',';
    appendNumber(out, r.height);
    out += ']';
}

// The verbs by name, in the engine's order, so that a front end picks one out by its name and
// not by the engine's number for it.
constexpr std::array<std::string_view, 7> kVerbNames = {"LookAround", "Examine",  "Talk",  "Go",
                                                        "Craft",      "DigShoot", "PickUp"};
static_assert(static_cast<std::size_t>(Verb::PickUp) + 1 == kVerbNames.size());

// {"what": "Slot", "which": 1}: a control's shows or does; a verb's press also names the verb
// ("verb": "Examine").
void appendWhat(std::string& out, std::string_view what, int which, bool verb = false) {
    out += "{\"what\":";
    appendQuoted(out, what);
    out += ",\"which\":";
    appendNumber(out, which);
    if (verb) {
        out += ",\"verb\":";
        appendQuoted(out, kVerbNames.at(static_cast<std::size_t>(which)));
    }
    out += '}';
}

// "key": as the start of a member; the first member of an object passes first = true.
void key(std::string& out, std::string_view k, bool first = false) {
    if (!first) out += ',';
    appendQuoted(out, k);
    out += ':';
}

void appendControl(std::string& out, const Control& c) {
    out += '{';
    key(out, "name", true);
    appendQuoted(out, c.name);
    key(out, "kind");
    appendQuoted(out, name(c.kind));
    key(out, "shows");
    appendWhat(out, name(c.shows.what), c.shows.which);
    key(out, "does");
    appendWhat(out, name(c.does.what), c.does.which, c.does.what == Does::What::Press);
    key(out, "live");
    appendBool(out, announces(c));
    key(out, "blinks");
    appendBool(out, blinks(c));
    key(out, "rect");
    appendRect(out, c.rect);
    key(out, "caption");
    appendQuoted(out, c.caption);
    key(out, "tooltip");
    appendQuoted(out, c.tooltip);
    key(out, "visible");
    appendBool(out, c.visible);
    key(out, "panel");
    appendQuoted(out, c.panel);
    key(out, "font");
    appendQuoted(out, name(c.font));
    key(out, "align");
    appendQuoted(out, name(c.align));
    key(out, "accessible");
    appendQuoted(out, c.accessible);
    key(out, "textColour");
    appendColour(out, c.textColour);
    key(out, "background");
    appendColour(out, c.background);
    key(out, "wrap");
    appendBool(out, c.wrap);
    key(out, "picture");
    appendQuoted(out, c.picture);
    key(out, "border");
    appendBool(out, c.border);
    out += '}';
}

void appendWindow(std::string& out, const WindowLayout& table, const Catalog& catalog) {
    const WindowLayout w = translated(table, catalog);
    out += '{';
    key(out, "name", true);
    appendQuoted(out, w.name);
    key(out, "main");
    appendBool(out, w.window == Window::Form1);
    key(out, "title");
    appendQuoted(out, w.title);
    key(out, "accessible");
    appendQuoted(out, w.accessible);
    key(out, "rect");
    appendRect(out, w.rect);
    key(out, "background");
    appendColour(out, w.background);
    key(out, "controls");
    out += '[';
    bool first = true;
    for (const Control& c : w.controls) {
        if (!first) out += ',';
        first = false;
        appendControl(out, translated(c, catalog));
    }
    out += "]}";
}

void appendFonts(std::string& out) {
    constexpr std::array kFonts = {Font::Default, Font::Large, Font::Title, Font::Small};
    out += '{';
    bool first = true;
    for (const Font f : kFonts) {
        key(out, name(f), first);
        first = false;
        const FontSize s = size(f);
        out += "{\"points\":";
        appendPoints(out, s.points);
        out += ",\"bold\":";
        appendBool(out, s.bold);
        out += '}';
    }
    out += '}';
}

void appendColours(std::string& out) {
    constexpr std::array<std::pair<std::string_view, Colour>, 5> kColours = {{
        {"face", kFaceGrey},
        {"black", kBlack},
        {"white", kWhite},
        {"darkBlue", kDarkBlue},
        {"darkGreen", kDarkGreen},
    }};
    out += '{';
    bool first = true;
    for (const auto& [n, c] : kColours) {
        key(out, n, first);
        first = false;
        appendColour(out, c);
    }
    out += '}';
}

}  // namespace

void appendQuoted(std::string& out, std::string_view text) {
    out += '"';
    for (const char ch : text) {
        const auto byte = static_cast<unsigned char>(ch);
        switch (ch) {
            case '"':
                out += "\\\"";
                break;
            case '\\':
                out += "\\\\";
                break;
            case '\n':
                out += "\\n";
                break;
            case '\r':
                out += "\\r";
                break;
            case '\t':
                out += "\\t";
                break;
            default:
                if (byte < 0x20) {
                    out += "\\u00";
                    appendHexByte(out, byte);
                } else {
                    out += ch;  // UTF-8 passes through as it is
                }
        }
    }
    out += '"';
}

void appendColour(std::string& out, const std::optional<Colour>& colour) {
    if (!colour) {
        out += "null";
        return;
    }
    out += "\"#";
    appendHexByte(out, colour->r);
    appendHexByte(out, colour->g);
    appendHexByte(out, colour->b);
    out += '"';
}

std::string_view name(Kind kind) {
    switch (kind) {
        case Kind::Label:
            return "Label";
        case Kind::Boxed:
            return "Boxed";
        case Kind::Verb:
            return "Verb";
        case Kind::Click:
            return "Click";
        case Kind::Text:
            return "Text";
        case Kind::Input:
            return "Input";
        case Kind::Splash:
            return "Splash";
        case Kind::Panel:
            return "Panel";
        case Kind::Button:
            return "Button";
        case Kind::Picture:
            return "Picture";
    }
    return "Label";
}

std::string_view name(Font font) {
    switch (font) {
        case Font::Default:
            return "Default";
        case Font::Large:
            return "Large";
        case Font::Title:
            return "Title";
        case Font::Small:
            return "Small";
    }
    return "Default";
}

std::string_view name(Align align) {
    return align == Align::TopCentre ? "TopCentre" : "TopLeft";
}

std::string_view name(Shows::What what) {
    using enum Shows::What;
    constexpr std::array<std::pair<Shows::What, std::string_view>, 18> kNames = {{
        {Caption, "Caption"},
        {Level, "Level"},
        {Health, "Health"},
        {Slot, "Slot"},
        {DigShootCaption, "DigShootCaption"},
        {Description, "Description"},
        {Response, "Response"},
        {Word, "Word"},
        {Splash, "Splash"},
        {Intro, "Intro"},
        {ForesterAnswer, "ForesterAnswer"},
        {GuardAnswer, "GuardAnswer"},
        {GuardLine, "GuardLine"},
        {Card, "Card"},
        {Deal, "Deal"},
        {DeathOffer, "DeathOffer"},
        {VictoryOffer, "VictoryOffer"},
        {BlinkingTitle, "BlinkingTitle"},
    }};
    for (const auto& [w, n] : kNames)
        if (w == what) return n;
    return "Caption";
}

std::string_view name(Does::What what) {
    using enum Does::What;
    constexpr std::array<std::pair<Does::What, std::string_view>, 14> kNames = {{
        {Nothing, "Nothing"},
        {Press, "Press"},
        {DismissIntro, "DismissIntro"},
        {Minimise, "Minimise"},
        {Exit, "Exit"},
        {OpenAbout, "OpenAbout"},
        {CloseAbout, "CloseAbout"},
        {Ask, "Ask"},
        {Say, "Say"},
        {Turn, "Turn"},
        {ClaimVictory, "ClaimVictory"},
        {AcceptDeath, "AcceptDeath"},
        {Finish, "Finish"},
        {Type, "Type"},
    }};
    for (const auto& [w, n] : kNames)
        if (w == what) return n;
    return "Nothing";
}

std::string toJson(const Catalog& catalog) {
    std::string out = "{\"twipsPerPixel\":";
    appendNumber(out, kTwipsPerPixel);
    key(out, "splashMs");
    appendNumber(out, kSplashMilliseconds);
    key(out, "blinkMs");
    appendNumber(out, kBlinkMilliseconds);
    key(out, "titleBarPx");
    appendNumber(out, kTitleBarPx);
    key(out, "cellBorderPx");
    appendNumber(out, kCellBorderPx);
    key(out, "cellIndentPx");
    appendNumber(out, kCellIndentPx);
    key(out, "fitStep");
    appendPoints(out, kFitStep);
    key(out, "fitSmallest");
    appendPoints(out, kFitSmallest);
    key(out, "colours");
    appendColours(out);
    key(out, "fonts");
    appendFonts(out);
    key(out, "windows");
    out += '[';
    bool first = true;
    for (const WindowLayout& w : windows()) {
        if (!first) out += ',';
        first = false;
        appendWindow(out, w, catalog);
    }
    out += "]}";
    return out;
}

}  // namespace tarvilon::layout
