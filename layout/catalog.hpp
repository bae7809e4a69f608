#pragma once

// A translation catalog: what a front end shows instead of each Russian text, and which Russian
// object word a word typed in that language stands for. The Russian texts stay what the rules
// compare; a catalog only changes what the player reads and types. Standard C++ only.
//
// A catalog is a compiled GNU gettext file (.mo), as msgfmt writes it from po/<language>.po.
// Its source strings are the game's Russian texts letter for letter, trailing blanks and
// misspellings included, so a front end looks a text up exactly as the game hands it over.
//
// The browser page fetches its catalog over the network, and its module carries every Russian
// text already; so the page's form of a catalog (web/page_catalog.py writes it from the .mo)
// keys each text by a hash of its source string instead of the string, as UTF-8 text that a
// web host compresses. One entry a line, after the line "tarvilon catalog 1":
//   h<8 hex digits> TAB <text>   a text, keyed by catalogKey() of its msgid and context
//   w<Russian word> TAB <word>   an object word, kept whole: typed words are looked up by it
// with "\\", "\n", "\r" and "\t" escaped in the texts. The build checks that no two source
// strings of the template, nor a number the game writes, share a key.
//
// Texts composed at run time are translated part by part, never as a whole:
// - Numbers (the level, health, the card deal, "100" in an item name) are shown as the game
//   writes them, in digits, in every language: only the fixed texts around them are entries.
// - A cell that shows an engine text (a slot, the response box, a card, a dialogue answer) is
//   translated by looking up exactly that text; an empty text stays empty.
// - Texts that one Russian string cannot carry for two uses are told apart by a context:
//   object words (kObjectWord) are never looked up as ordinary texts, and the reverse.

#include <cstdint>
#include <map>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace tarvilon::layout {

// The context every object word has in the catalogs: "вертолёт" the word, not a text shown.
inline constexpr std::string_view kObjectWord = "object word";

// The key of a source string in the page's form of a catalog: 32-bit FNV-1a over the bytes of
// "context", "\x04" and the msgid, or of the msgid alone.
[[nodiscard]] std::uint32_t catalogKey(std::string_view msgid, std::string_view context = {});

class Catalog {
  public:
    // No catalog: the Russian game, every text as it is and every word the rules' own.
    Catalog() = default;
    // Reads a compiled catalog, or the page's form of one. Bytes that are neither (wrong magic,
    // a table or string out of bounds, a line of no entry) give the empty catalog, the Russian
    // game, rather than a half-read one.
    explicit Catalog(std::string_view bytes);

    // Whether this is the Russian game (no catalog, or one that could not be read).
    [[nodiscard]] bool empty() const { return texts_.empty(); }

    // The text to show for a Russian text: its translation, or the text itself where the
    // catalog has none. The view is into the catalog or into `russian`.
    [[nodiscard]] std::string_view translate(std::string_view russian,
                                             std::string_view context = {}) const;

    // The Russian object word that a word typed in this catalog's language stands for, exactly
    // as typed (whole, in lower case), or nullopt where it stands for none. Without a catalog
    // every word is the rules' own.
    [[nodiscard]] std::optional<std::string_view> objectWord(std::string_view typed) const;

  private:
    bool readMo(std::string_view mo);
    bool readPage(std::string_view page);

    // Keyed as the .mo keys them: "context\x04msgid", or the msgid alone; in the page's form by
    // catalogKey() in hex, object words apart, in typed_.
    std::map<std::string, std::string, std::less<>> texts_;
    bool hashed_ = false;
    // Each object word's translation, back to the Russian word.
    std::map<std::string, std::string, std::less<>> words_;
    // And forth, from the page's form: the Russian word to its translation.
    std::map<std::string, std::string, std::less<>> typed_;
};

// The language a desktop run is played in, as gettext picks one: the entries of LANGUAGE (a
// colon-separated list), then the locale (the first set of LC_ALL, LC_MESSAGES, LANG). The first
// that names a language with a catalog wins ("en_GB.UTF-8" finds "en_GB", else "en"); one that
// names Russian, or the C or POSIX locale, gives the Russian game, as does running out of
// preferences. Returns one of `available`, or empty for Russian.
[[nodiscard]] std::string_view chooseLanguage(std::string_view language, std::string_view locale,
                                              std::span<const std::string_view> available);

}  // namespace tarvilon::layout
