#include "layout_json.hpp"

#include <array>
#include <utility>

#include "json.hpp"
#include "names.hpp"

namespace tarvilon::layout {
namespace {

// A row, or null where there is none.
void row(JsonWriter& j, std::string_view key, Row r) {
    j.key(key);
    if (r == kNoRow)
        j.value(nullptr);
    else
        j.value(r);
}

// {"what": "Slot", "which": 1}: a control's shows or does; a verb's press also names the verb
// ("verb": "Examine"), so that a front end picks a verb out by its name and not by the
// engine's number for it.
void what(JsonWriter& j, std::string_view key, std::string_view what, int which,
          std::string_view verb = {}) {
    j.key(key).beginObject().field("what", what).field("which", which);
    if (!verb.empty()) j.field("verb", verb);
    j.endObject();
}

// The row r of window w, its texts read in the catalog's language.
void control(JsonWriter& j, const WindowLayout& w, std::size_t r, const Catalog& catalog) {
    const Control c = translated(w.controls[r], catalog);
    j.beginObject().field("name", c.name).field("kind", name(c.kind));
    what(j, "shows", name(c.shows.what), c.shows.which);
    what(j, "does", name(c.does.what), c.does.which,
         c.does.what == Does::What::Press ? name(static_cast<Verb>(c.does.which)) : "");
    j.field("live", announces(c)).field("blinks", blinks(c)).field("focus", takesFocus(c.kind));
    j.field("rect", c.rect).field("caption", c.caption).field("tooltip", c.tooltip);
    j.field("visible", c.visible);
    row(j, "panel", w.panels[r]);
    row(j, "labelledBy", w.labelledBy[r]);
    j.field("font", name(c.font)).field("align", name(c.align));
    j.field("accessible", c.accessible).field("textColour", c.textColour);
    j.field("background", c.background).field("wrap", c.wrap).field("picture", c.picture);
    j.field("border", c.border).endObject();
}

void window(JsonWriter& j, const WindowLayout& table, const Catalog& catalog) {
    const WindowLayout w = translated(table, catalog);
    j.beginObject().field("name", w.name).field("main", w.window == Window::Form1);
    j.field("title", w.title).field("accessible", w.accessible).field("rect", w.rect);
    j.field("background", std::optional{w.background});
    j.key("reading").beginArray();
    for (const Row r : w.reading) j.value(r);
    j.endArray().key("controls").beginArray();
    for (std::size_t r = 0; r < w.controls.size(); ++r) control(j, w, r, catalog);
    j.endArray().endObject();
}

void fonts(JsonWriter& j) {
    j.key("fonts").beginObject();
    for (const Font f : {Font::Default, Font::Large, Font::Title, Font::Small}) {
        const FontSize s = size(f);
        j.key(name(f)).beginObject();
        j.key("points").hundredths(s.points).field("bold", s.bold).endObject();
    }
    j.endObject();
}

void colours(JsonWriter& j) {
    constexpr std::array<std::pair<std::string_view, Colour>, 5> kColours = {{
        {"face", kFaceGrey},
        {"black", kBlack},
        {"white", kWhite},
        {"darkBlue", kDarkBlue},
        {"darkGreen", kDarkGreen},
    }};
    j.key("colours").beginObject();
    for (const auto& [n, c] : kColours) j.field(n, std::optional{c});
    j.endObject();
}

}  // namespace

std::string toJson(const Catalog& catalog) {
    JsonWriter j;
    j.beginObject().field("twipsPerPixel", kTwipsPerPixel);
    j.field("splashMs", kSplashMilliseconds).field("blinkMs", kBlinkMilliseconds);
    j.field("titleBarPx", kTitleBarPx).field("cellBorderPx", kCellBorderPx);
    j.field("cellIndentPx", kCellIndentPx);
    j.key("fitStep").hundredths(kFitStep).key("fitSmallest").hundredths(kFitSmallest);
    colours(j);
    fonts(j);
    j.key("windows").beginArray();
    for (const WindowLayout& w : windows()) window(j, w, catalog);
    j.endArray().endObject();
    return j.take();
}

}  // namespace tarvilon::layout
