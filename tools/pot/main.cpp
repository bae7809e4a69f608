// tarvilon_pot: prints the translation template, po/tarvilon.pot, from the game's own texts:
// every text a rule can write, every caption, tooltip and accessible name of the windows, the
// encounters' lines, the object words, the page's own words and the package's texts. Each once,
// with what a translator needs: where it is shown and how much a line of its box holds.
//
//   tarvilon_pot [--output FILE | --check FILE] PAGE_WORDS DESKTOP METAINFO MANIFEST PAGE...
//
// PAGE_WORDS is po/page_words.txt; PAGE... are the page's own sources (bindings.cpp,
// index.html), whose Russian texts are taken as they stand. --check exits 1 when FILE is not
// what would be printed: a text added to the game and missing from the template.

#include <cstddef>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <regex>
#include <span>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "catalog.hpp"
#include "content/places.hpp"
#include "content/texts.hpp"
#include "layout.hpp"
#include "object_words.hpp"
#include "verbs/rule.hpp"
#include "verbs/verbs.hpp"

namespace tarvilon::pot {
namespace {

using layout::Control;
using layout::Kind;
using layout::Shows;

struct Entry {
    std::string context;
    std::string text;
    std::vector<std::string> notes;
};

class Template {
  public:
    // Texts without a letter (a level's "1", health's "25") are numbers: never translated.
    void add(std::string_view text, const std::string& note, std::string_view context = {}) {
        if (!hasLetter(text)) return;
        for (Entry& e : entries_) {
            if (e.text != text || e.context != context) continue;
            for (const std::string& n : e.notes)
                if (n == note) return;
            e.notes.push_back(note);
            return;
        }
        entries_.push_back({std::string(context), std::string(text), {note}});
        // Blanks at either end are part of the Russian text; say what they are for.
        if (text.starts_with(' '))
            entries_.back().notes.emplace_back("Its leading blanks set it off in its box.");
        if (text.ends_with(' '))
            entries_.back().notes.emplace_back(
                "It ends with a blank and is shown as it stands: nothing is joined to it.");
    }
    [[nodiscard]] std::string print() const;

  private:
    static bool hasLetter(std::string_view text) {
        for (const char c : text)
            if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c & 0x80) != 0) return true;
        return false;
    }
    std::vector<Entry> entries_;
};

// A po string: escaped, and split after each line break so that a translator sees the lines.
std::string quoted(std::string_view text) {
    std::string out = "\"";
    for (const char c : text) {
        switch (c) {
            case '"':
                out += "\\\"";
                break;
            case '\\':
                out += "\\\\";
                break;
            case '\r':
                out += "\\r";
                break;
            case '\t':
                out += "\\t";
                break;
            case '\n':
                out += "\\n\"\n\"";
                break;
            default:
                out += c;
        }
    }
    out += '"';
    const std::string empty_tail = "\n\"\"";
    if (out.ends_with(empty_tail)) out.resize(out.size() - empty_tail.size());
    // Several lines: an empty first line, as gettext's own tools write them.
    if (out.find('\n') != std::string::npos) out = "\"\"\n" + out;
    return out;
}

std::string Template::print() const {
    std::string out =
        "# The texts of ТАРВИЛОН, for translators.\n"
        "# Generated from the game's own texts by the build (cmake --build --preset default "
        "--target pot); do not edit.\n"
        "# Each msgid is a Russian text exactly as the game shows it, spelling and trailing "
        "blanks included: translate what it says, and keep a line break (\\r\\n) where a "
        "comment asks for hand-broken lines. Numbers are shown as digits in every language and "
        "are no entries.\n"
        "msgid \"\"\n"
        "msgstr \"\"\n"
        "\"Project-Id-Version: tarvilon " TARVILON_VERSION
        "\\n\"\n"
        "\"Language: \\n\"\n"
        "\"MIME-Version: 1.0\\n\"\n"
        "\"Content-Type: text/plain; charset=UTF-8\\n\"\n"
        "\"Content-Transfer-Encoding: 8bit\\n\"\n";
    for (const Entry& e : entries_) {
        out += '\n';
        for (const std::string& note : e.notes) out += "#. " + note + "\n";
        if (!e.context.empty()) out += "msgctxt " + quoted(e.context) + "\n";
        out += "msgid " + quoted(e.text) + "\n";
        out += "msgstr \"\"\n";
    }
    return out;
}

// What each window is, for translators.
std::string windowName(Window window) {
    switch (window) {
        case Window::Form1:
            return "main window";
        case Window::Info:
            return "about box";
        case Window::Lesnik:
            return "forester dialogue";
        case Window::Musik:
            return "guard dialogue";
        case Window::Stol:
            return "card table";
        case Window::Form2:
            return "ending window";
    }
    return {};
}

constexpr double kPixelsPerPoint = 96.0 / 72.0;
// An average letter of the face is about half the font's pixel size wide.
constexpr double kLetterEms = 0.5;
// A text box loses its sunken border and scroll bar to the text.
constexpr int kBoxChrome = 20;

int pixels(int twips) {
    return twips / layout::kTwipsPerPixel;
}

int lettersIn(int px, layout::Font font) {
    const double letter = layout::size(font).points * kPixelsPerPoint * kLetterEms;
    return static_cast<int>(px / letter + 0.5);
}

// Where a control is and how much text its box holds.
std::string where(Window window, const Control* c) {
    if (c == nullptr) return {};
    const int px = pixels(c->rect.width);
    const std::string at = "In the " + windowName(window) + ", " +
                           std::string(layout::of(window).name) + "." + std::string(c->name) +
                           ", " + std::to_string(px) + " px wide at " +
                           std::to_string(layout::size(c->font).points).substr(0, 4) + " pt";
    if (c->kind == Kind::Text) {
        const int width = px - (c->border ? kBoxChrome : kBoxChrome / 2);
        return at + ": a box of about " + std::to_string(lettersIn(width, c->font)) +
               " characters a line that scrolls; where the Russian breaks its lines (\\r\\n), "
               "break the translation's by hand to that width.";
    }
    if (c->wrap) {
        const double lineHeight = layout::size(c->font).points * kPixelsPerPoint * 1.25;
        return at + ": it wraps, about " + std::to_string(lettersIn(px, c->font)) +
               " characters a line, " +
               std::to_string(static_cast<int>(pixels(c->rect.height) / lineHeight)) +
               " lines at most.";
    }
    return at + ": one line of about " + std::to_string(lettersIn(px, c->font)) +
           " characters. A longer caption is shrunk to fit; keep it no longer than the Russian.";
}

// The control of a window that shows this.
std::string where(Window window, Shows shows) {
    return where(window, layout::showing(window, shows));
}

// Every text of the windows' tables: captions, tooltips, accessible names, window names.
void addWindows(Template& t) {
    for (const layout::WindowLayout& w : layout::windows()) {
        const std::string window = "The " + windowName(w.window) + " (" + std::string(w.name) + ")";
        t.add(w.title, window + ": its title bar.");
        t.add(w.accessible, window + ": what a screen reader calls it.");
        for (const Control& c : w.controls) {
            const std::string control = std::string(w.name) + "." + std::string(c.name);
            if (c.kind == Kind::Button && c.caption.starts_with("&"))
                t.add(c.caption, where(w.window, &c) +
                                     " A button: \"&\" marks the letter of its Alt shortcut; "
                                     "keep exactly one.");
            else
                t.add(c.caption, where(w.window, &c));
            t.add(c.tooltip, "The tooltip of " + control + " in the " + windowName(w.window) + ".");
            t.add(c.accessible, "What a screen reader says for " + control + " in the " +
                                    windowName(w.window) + ".");
        }
    }
}

void addPlaces(Template& t) {
    for (std::size_t i = 0; i < content::kPlaceDescriptions.size(); ++i) {
        std::string words;
        forEachWord(kPlaceWords[i].words, [&](std::string_view w) {
            words += (words.empty() ? "" : ", ") + std::string(w);
        });
        t.add(content::kPlaceDescriptions[i],
              "Place " + std::to_string(i + 1) + ", " + std::string(kPlaceWords[i].place) +
                  ": what ОСМОТРЕТЬСЯ (look around) shows. " +
                  where(Window::Form1, Shows{Shows::What::Description}) +
                  " Lines without \\r\\n are left to the box to wrap.");
        t.add(content::kPlaceDescriptions[i],
              "It must name these object words (context \"object word\") exactly as their "
              "translations read, each whole and in lower case: " +
                  words + ".");
    }
}

// A verb's answers, items and caption, from its table: whatever a rule can write.
void addTable(Template& t, std::span<const rules::Row> table, const std::string& verb) {
    const std::string answer = "An answer to " + verb + ", in the response box. " +
                               where(Window::Form1, Shows{Shows::What::Response}) +
                               " Plain, as an answer.";
    for (const rules::Row& row : table) {
        for (std::size_t i = 0; i < row.effectCount; ++i) {
            const rules::Effect& e = row.effects.at(i);
            using Do = rules::Effect::Do;
            if (e.what == Do::Say) t.add(e.text, answer);
            if (e.what == Do::Put) {
                t.add(e.text, "An item in inventory slot " + std::to_string(e.index + 1) + ". " +
                                  where(Window::Form1, Shows{Shows::What::Slot, e.index}));
            }
            if (e.what == Do::Caption)
                t.add(e.text,
                      "The caption that Идти (go) gives the dig verb at the foot of the "
                      "mountain: \"shoot\". " +
                          where(Window::Form1, Shows{Shows::What::DigShootCaption}));
        }
    }
}

void addAnswers(Template& t) {
    addTable(t, verbs::examineTable(), "ОБСЛЕДОВАТЬ (examine)");
    addTable(t, verbs::pickUpTable(), "Подобрать (pick up)");
    addTable(t, verbs::craftTable(), "Мастерить (craft)");
    addTable(t, verbs::digShootTable(), "Копать/Стрелять (dig/shoot)");
    addTable(t, verbs::talkTable(), "Разговор (talk)");
    addTable(t, verbs::goTable(), "Идти (go)");

    const std::string forester =
        "The forester's answer. " + where(Window::Lesnik, Shows{Shows::What::ForesterAnswer});
    for (std::string_view a : {forester::kNameAnswer, forester::kSettlementAnswer,
                               forester::kComeWithMeAnswer, forester::kSeeYouAnswer})
        t.add(a, forester);
    const std::string guard =
        "The guard's answer. " + where(Window::Musik, Shows{Shows::What::GuardAnswer});
    for (std::string_view a : {guard::kYesBlind, content::kVillageNews, guard::kPrice,
                               guard::kTakesCoins, guard::kGetLost})
        t.add(a, guard);
    for (std::string_view card : {text::kLife, text::kDeath}) {
        t.add(card, "A card's word once turned (Stol.Label2 to Label4, alike). " +
                        where(Window::Stol, Shows{Shows::What::Card, 0}));
        t.add(card, "What a screen reader says for a turned card.");
    }
}

void addObjectWords(Template& t) {
    std::vector<std::string_view> known;
    for (const rules::Row& row : verbs::examineTable())
        for (std::size_t i = 0; i < row.when.count; ++i) {
            const rules::All& all = row.when.any.at(i);
            for (std::size_t j = 0; j < all.count; ++j)
                if (all.tests.at(j).on == rules::Test::On::Word)
                    known.push_back(all.tests.at(j).text);
        }
    for (std::string_view word : known) {
        std::string places;
        for (std::size_t i = 0; i < kPlaceWords.size(); ++i)
            forEachWord(kPlaceWords[i].words, [&](std::string_view w) {
                if (w == word)
                    places += (places.empty() ? "" : ", ") + std::to_string(i + 1) + " (" +
                              std::string(kPlaceWords[i].place) + ")";
            });
        if (places.empty()) {
            std::cerr << "tarvilon_pot: the object word " << word << " belongs to no place in "
                      << "tools/pot/object_words.hpp\n";
            std::exit(1);
        }
        t.add(word,
              "An object word: the player types it into the input box (Form1.Text3) and "
              "examines it. Translate it as ONE lower-case word, and name it exactly so in the "
              "description of place " +
                  places +
                  ". No two object words may share a translation, and none may equal another "
                  "word's.",
              layout::kObjectWord);
    }
}

std::string read(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        std::cerr << "tarvilon_pot: cannot read " << path << "\n";
        std::exit(2);
    }
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

bool hasCyrillic(std::string_view s) {
    // Cyrillic letters lead with D0 to D3 in UTF-8.
    for (const char c : s)
        if (static_cast<unsigned char>(c) >= 0xD0 && static_cast<unsigned char>(c) <= 0xD3)
            return true;
    return false;
}

// po/page_words.txt: "#." lines note the next text; "#" lines are for the reader.
void addPageWords(Template& t, const std::string& path) {
    std::istringstream in(read(path));
    std::vector<std::string> notes;
    for (std::string line; std::getline(in, line);) {
        if (line.starts_with("#.")) {
            notes.push_back(line.substr(line.find_first_not_of(' ', 2)));
        } else if (!line.empty() && line[0] != '#') {
            for (const std::string& n : notes) t.add(line, n);
            notes.clear();
        }
    }
}

// The page's own sources: Russian string literals of C++ (comments dropped), text of HTML.
void addPageSources(Template& t, const std::string& path) {
    std::string code = read(path);
    const bool html = path.ends_with(".html");
    const std::regex comment(html ? "<!--[\\s\\S]*?-->" : "//[^\n]*");
    code = std::regex_replace(code, comment, "");
    const std::regex text(html ? ">([^<]+)<" : "\"((?:[^\"\\\\\n]|\\\\.)*)\"");
    const std::string note =
        "Said by the browser page itself (" + path.substr(path.rfind("/web/") + 1) + ").";
    for (std::sregex_iterator it(code.begin(), code.end(), text), end; it != end; ++it) {
        const std::string s = (*it)[1];
        if (hasCyrillic(s)) t.add(s, note);
    }
}

std::string collapsed(std::string s) {
    s = std::regex_replace(s, std::regex("\\s+"), " ");
    const auto first = s.find_first_not_of(' ');
    if (first == std::string::npos) return {};
    return s.substr(first, s.find_last_not_of(' ') - first + 1);
}

// The launcher's entry, the software centre's page and the web manifest: their Russian texts.
void addPackage(Template& t, const std::string& desktop, const std::string& metainfo,
                const std::string& manifest) {
    const std::string d = read(desktop);
    const std::regex key("\n(\\w+)\\[ru\\]=([^\n]*)");
    for (std::sregex_iterator it(d.begin(), d.end(), key), end; it != end; ++it) {
        std::string note = "The launcher's entry (.desktop), its " + (*it)[1].str() + ".";
        if ((*it)[1] == "Keywords")
            note += " Search words, each ended by a semicolon: keep the semicolons.";
        t.add((*it)[2].str(), note);
    }
    const std::string m = read(metainfo);
    const std::regex ru("<(\\w+) xml:lang=\"ru\">([\\s\\S]*?)</\\1>");
    for (std::sregex_iterator it(m.begin(), m.end(), ru), end; it != end; ++it)
        t.add(collapsed((*it)[2]),
              "The software centre's page (AppStream metainfo), its " +
                  ((*it)[1] == "p" ? "description, a paragraph" : (*it)[1].str()) +
                  ". One paragraph, no line breaks.");
    const std::string w = read(manifest);
    const std::regex field("\"(name|short_name|description)\": \"([^\"]*)\"");
    for (std::sregex_iterator it(w.begin(), w.end(), field), end; it != end; ++it)
        t.add((*it)[2].str(), "The web app manifest's " + (*it)[1].str() + ".");
}

}  // namespace
}  // namespace tarvilon::pot

int main(int argc, char** argv) {
    using namespace tarvilon::pot;
    std::vector<std::string> args(argv + 1, argv + argc);
    std::string output;
    bool check = false;
    if (args.size() >= 2 && (args[0] == "--output" || args[0] == "--check")) {
        check = args[0] == "--check";
        output = args[1];
        args.erase(args.begin(), args.begin() + 2);
    }
    if (args.size() < 4) {
        std::cerr << "usage: tarvilon_pot [--output FILE | --check FILE] PAGE_WORDS DESKTOP "
                     "METAINFO MANIFEST PAGE...\n";
        return 2;
    }
    Template t;
    addWindows(t);
    addPlaces(t);
    addAnswers(t);
    addObjectWords(t);
    for (std::size_t i = 4; i < args.size(); ++i) addPageSources(t, args[i]);
    addPageWords(t, args[0]);
    addPackage(t, args[1], args[2], args[3]);
    const std::string pot = t.print();

    if (output.empty()) {
        std::cout << pot;
        return 0;
    }
    if (check) {
        if (read(output) == pot) return 0;
        std::cerr << output << " is not the template the game's texts make now: regenerate it "
                  << "with cmake --build --preset default --target pot, then bring the "
                  << "catalogs up to it (msgmerge --update po/LANG.po po/tarvilon.pot)\n";
        return 1;
    }
    std::ofstream(output, std::ios::binary) << pot;
    return 0;
}
