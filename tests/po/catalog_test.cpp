// The translations as a player meets them: each catalog read back from the bytes the desktop
// compiles in and from the browser page's form of it, its object words found in its own
// descriptions, and the shared road played in its language, every word typed and every
// caption clicked through the catalog.

#include "catalog.hpp"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "catalogs.hpp"
#include "content/places.hpp"
#include "layout.hpp"
#include "object_words.hpp"
#include "route.hpp"

namespace tarvilon::layout {
namespace {

bool IsLetter(unsigned char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c >= 0x80;
}

bool HasLetter(std::string_view text) {
    for (const char c : text)
        if (IsLetter(static_cast<unsigned char>(c))) return true;
    return false;
}

// The page's form of a language's catalog, as the browser edition's build writes it.
std::string pageForm(std::string_view language) {
    std::ifstream file(std::string(TARVILON_PAGE_CATALOGS_DIR) + "/" + std::string(language) +
                       ".txt");
    std::stringstream bytes;
    bytes << file.rdbuf();
    return bytes.str();
}

// Every catalog in both forms, named: "en", "en (page)".
std::vector<std::pair<std::string, std::string>> everyForm() {
    std::vector<std::pair<std::string, std::string>> forms;
    for (std::string_view language : catalogs::languages()) {
        forms.emplace_back(language, catalogs::mo(language));
        forms.emplace_back(std::string(language) + " (page)", pageForm(language));
    }
    return forms;
}

// A whole word: no letter right before or after it. Any byte above 7F counts as a letter, so
// that a word is never found inside a longer word of another alphabet either.
bool HasWholeWord(std::string_view text, std::string_view word) {
    for (auto pos = text.find(word); pos != std::string_view::npos;
         pos = text.find(word, pos + 1)) {
        const auto end = pos + word.size();
        const bool before = pos > 0 && IsLetter(static_cast<unsigned char>(text[pos - 1]));
        const bool after = end < text.size() && IsLetter(static_cast<unsigned char>(text[end]));
        if (!before && !after) return true;
    }
    return false;
}

TEST(Catalog, WithoutOneOrFromBadBytesTheGameIsRussian) {
    const std::string mo(catalogs::mo("en"));
    ASSERT_FALSE(Catalog(mo).empty());
    std::string wrongMagic = mo;
    wrongMagic[0] = 0;
    // Cut anywhere past the header, some string lies out of bounds (the last byte is the last
    // string's NUL, outside its length).
    for (const std::string& bytes :
         {std::string(), std::string("\xde\x12\x04\x95", 4), wrongMagic, mo.substr(0, 27),
          mo.substr(0, mo.size() / 2), mo.substr(0, mo.size() - 2)}) {
        const Catalog c(bytes);
        EXPECT_TRUE(c.empty()) << bytes.size() << " bytes";
        EXPECT_EQ(c.translate("Аптечка"), "Аптечка");
        EXPECT_EQ(c.objectWord("вертолёт"), "вертолёт");
    }
    EXPECT_TRUE(catalogs::mo("ru").empty());
}

TEST(Catalog, FromBadBytesInThePagesFormTheGameIsRussian) {
    const std::string page = pageForm("en");
    ASSERT_FALSE(Catalog(page).empty());
    const std::string head = "tarvilon catalog 1\n";
    for (const std::string& bytes :
         {head, page.substr(0, page.size() - 1),
          "tarvilon catalog 2" + page.substr(head.size() - 1), head + "h2c6c4\tGold\n",
          head + "h02c6c4zz\tGold\n", head + "h02c6c400\tGo\\ld\n", head + "h02c6c400 Gold\n",
          head + "x02c6c400\tGold\n", page + "\n"}) {
        const Catalog c(bytes);
        EXPECT_TRUE(c.empty()) << bytes.substr(0, 60);
        EXPECT_EQ(c.translate("Аптечка"), "Аптечка");
        EXPECT_EQ(c.objectWord("вертолёт"), "вертолёт");
    }
}

// The environment's preferences in gettext's order; Russian, C and POSIX stop the search.
TEST(Catalog, ALanguageIsChosenAsGettextChoosesOne) {
    const std::string_view available[] = {"en", "pt_BR"};
    const struct {
        std::string_view language, locale, chosen;
    } cases[] = {
        {"", "", ""},
        {"", "C.UTF-8", ""},
        {"C:en", "", ""},  // the C locale asked for first: the Russian game
        {"POSIX:en", "", ""},
        {"", "ru_RU.UTF-8", ""},
        {"", "en_US.UTF-8", "en"},
        {"", "en_GB.UTF-8@euro", "en"},
        {"en", "", "en"},
        {"en", "C.UTF-8", "en"},       // the preference list before the locale
        {"en", "ru_RU.UTF-8", "en"},   //
        {"ru:en", "en_US.UTF-8", ""},  // Russian first: the Russian game
        {"de:fr:en", "", "en"},        // the first with a catalog
        {"de::pt_BR", "", "pt_BR"},    // an empty entry skipped, a country kept
        {"pt_PT", "", ""},             // no catalog for it, nor for bare "pt"
        {"de", "en_US.UTF-8", "en"},   // the locale after the list
        {"de", "C", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(chooseLanguage(c.language, c.locale, available), c.chosen)
            << "LANGUAGE=" << c.language << " locale " << c.locale;
}

// Each language's object words: one lower-case word each, named whole in its place's
// description, read back to the Russian word the rules know, and only through its context.
TEST(Catalog, EveryObjectWordIsNamedInItsPlaceAsTyped) {
    for (const auto& form : everyForm()) {  // no structured binding: a lambda captures it
        const std::string& language = form.first;
        const Catalog c(form.second);
        for (std::size_t i = 0; i < pot::kPlaceWords.size(); ++i) {
            const std::string_view description = c.translate(content::kPlaceDescriptions[i]);
            pot::forEachWord(pot::kPlaceWords[i].words, [&](std::string_view russian) {
                SCOPED_TRACE(language + ", place " + std::to_string(i + 1) + ", " +
                             std::string(russian));
                const std::string_view word = c.translate(russian, kObjectWord);
                EXPECT_NE(word, russian) << "untranslated";
                EXPECT_EQ(word.find_first_of(" -'"), std::string_view::npos) << "not one word";
                for (const char ch : word) EXPECT_FALSE(ch >= 'A' && ch <= 'Z') << word;
                EXPECT_TRUE(HasWholeWord(description, word)) << "the description lacks " << word;
                EXPECT_EQ(c.objectWord(word), russian) << "another word translates to " << word;
                EXPECT_EQ(c.objectWord(russian), std::nullopt);
                EXPECT_EQ(c.translate(russian), russian) << "an object word outside its context";
            });
        }
    }
}

// A text with a letter in it that the catalog left as it was. Digits and blanks read the same
// in every language.
void ExpectTranslated(std::string_view russian, std::string_view shown, std::string_view where) {
    if (HasLetter(russian)) {
        EXPECT_NE(shown, russian) << where;
    }
}

// Every text of the tables, in every window whether the road opens it or not: each window's
// title and name for a screen reader, each control's caption, tooltip and name.
TEST(Catalog, EveryTextOfTheTablesIsTranslated) {
    for (std::string_view language : catalogs::languages()) {
        const Catalog c(catalogs::mo(language));
        for (const WindowLayout& w : windows()) {
            const WindowLayout window = translated(w, c);
            ExpectTranslated(w.title, window.title, w.name);
            ExpectTranslated(w.accessible, window.accessible, w.name);
            for (const Control& control : w.controls) {
                const Control row = translated(control, c);
                const std::string where = std::string(w.name) + "." + std::string(control.name);
                ExpectTranslated(control.caption, row.caption, where);
                ExpectTranslated(control.tooltip, row.tooltip, where);
                ExpectTranslated(control.accessible, row.accessible, where);
            }
        }
    }
}

// Every text the open windows show now that the catalog has no entry for. The input box is
// left out: it shows what the player typed there, in the player's language.
void ExpectEveryShownTextTranslated(const Game& game, const Catalog& c) {
    for (const WindowLayout& w : windows()) {
        if (!visible(game, w.window)) continue;
        for (const Control& control : w.controls) {
            const Shown russian = view(game, control);
            if (!russian.visible || control.shows.what == Shows::What::Word) continue;
            const Shown shown = view(game, control, c);
            const std::string where = std::string(w.name) + "." + std::string(control.name);
            ExpectTranslated(russian.text, shown.text, where);
            ExpectTranslated(russian.accessible, shown.accessible, where);
        }
    }
}

// The page's form of a catalog shows every window as the compiled one does.
void ExpectTheSameInThePagesForm(const Game& game, const Catalog& mo, const Catalog& page) {
    for (const WindowLayout& w : windows()) {
        EXPECT_EQ(translated(w, page).title, translated(w, mo).title) << w.name;
        EXPECT_EQ(translated(w, page).accessible, translated(w, mo).accessible) << w.name;
        for (const Control& control : w.controls) {
            const Shown a = view(game, control, mo);
            const Shown b = view(game, control, page);
            const Control x = translated(control, mo);
            const Control y = translated(control, page);
            EXPECT_TRUE(b.text == a.text && b.accessible == a.accessible &&
                        y.caption == x.caption && y.tooltip == x.tooltip &&
                        y.accessible == x.accessible)
                << w.name << "." << control.name << ": " << b.text << " / " << a.text;
        }
    }
}

// Words and captions go in through the catalog, as the layout's translated calls take them;
// what the windows show comes out through it and must read as the road's texts do in that
// language, the input box showing the word as it was typed.
TEST(Catalog, TheRoadPlayedInEachLanguage) {
    for (std::string_view language : catalogs::languages()) {
        const Catalog c(catalogs::mo(language));
        const Catalog page(pageForm(language));
        Game game;
        for (const route::Step& step : route::load("road.txt")) {
            SCOPED_TRACE(std::string(language) + ", road.txt:" + std::to_string(step.line));
            // The control the step clicks, as the route finds it; the player of this language
            // finds it by its caption in this language, and types the word in it.
            const route::Move move = route::resolve(game, step);
            if (move.box) {
                const Control& input = *move.box->control;
                const std::string typed(c.translate(move.word, kObjectWord));
                ASSERT_NE(typed, move.word);
                // Letter by letter, as a player types: the box keeps what was typed.
                for (std::size_t n = 1; n <= typed.size(); ++n) {
                    type(game, input, typed.substr(0, n), c);
                    ASSERT_EQ(view(game, input, c).text, typed.substr(0, n));
                }
                ASSERT_EQ(game.world().objectWord, step.target);
                EXPECT_EQ(page.objectWord(typed), c.objectWord(typed));
            } else if (step.action == "press") {
                const std::string_view caption = c.translate(step.target);
                ASSERT_NE(caption, step.target);
                ASSERT_EQ(view(game, *move.click->control, c).text, caption);
            }
            ASSERT_NE(click(game, *move.click->control), Clicked::Nothing);
            ExpectEveryShownTextTranslated(game, c);
            ExpectTheSameInThePagesForm(game, c, page);
            for (const route::Check& check : step.checks) {
                if (check.what == "moment") continue;
                EXPECT_EQ(route::seen(game, step, check.what, &c),
                          c.translate(route::wanted(check)))
                    << check.what;
            }
        }
        EXPECT_EQ(game.windows().ending(), Ending::Finale);
    }
}

}  // namespace
}  // namespace tarvilon::layout
