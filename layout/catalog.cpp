#include "catalog.hpp"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

namespace tarvilon::layout {
namespace {

// The GNU .mo layout: a header of 32-bit words, then two tables of (length, offset) pairs, one
// for the source strings and one for their translations, in the same order. msgfmt writes the
// machine's byte order; ours are built little-endian, the order of every machine we ship to.
constexpr std::uint32_t kMagic = 0x950412de;
constexpr std::size_t kWord = 4;
constexpr char kContextEnd = '\x04';
// The page's form: its first line, and its two kinds of entry.
constexpr std::string_view kPageMagic = "tarvilon catalog 1\n";
constexpr char kKeyedText = 'h';
constexpr char kWholeWord = 'w';
constexpr std::size_t kKeyDigits = 8;

struct Reader {
    std::string_view bytes;

    [[nodiscard]] std::optional<std::uint32_t> word(std::size_t at) const {
        if (at > bytes.size() || bytes.size() - at < kWord) return std::nullopt;
        std::uint32_t value = 0;
        for (std::size_t i = kWord; i-- > 0;)
            value = value << 8U | static_cast<unsigned char>(bytes[at + i]);
        return value;
    }

    // The n-th string of the table at `table`: its length and offset, then its bytes.
    [[nodiscard]] std::optional<std::string_view> string(std::uint32_t table,
                                                         std::uint32_t n) const {
        const std::size_t entry = std::size_t{table} + std::size_t{n} * 2 * kWord;
        const auto length = word(entry);
        const auto offset = word(entry + kWord);
        if (!length || !offset || *offset > bytes.size() || bytes.size() - *offset < *length)
            return std::nullopt;
        return bytes.substr(*offset, *length);
    }
};

// A text of the page's form with its escapes undone, or nullopt for a bad escape.
std::optional<std::string> unescaped(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\\') {
            out.push_back(text[i]);
            continue;
        }
        if (++i == text.size()) return std::nullopt;
        switch (text[i]) {
            case '\\':
                out.push_back('\\');
                break;
            case 'n':
                out.push_back('\n');
                break;
            case 'r':
                out.push_back('\r');
                break;
            case 't':
                out.push_back('\t');
                break;
            default:
                return std::nullopt;
        }
    }
    return out;
}

// A key of the page's form as it is written there: 8 hex digits, lower case.
std::string hex(std::uint32_t key) {
    constexpr std::string_view kDigits = "0123456789abcdef";
    std::string digits(kKeyDigits, '0');
    for (std::size_t i = kKeyDigits; i-- > 0; key >>= 4U) digits[i] = kDigits[key & 0xfU];
    return digits;
}

}  // namespace

std::uint32_t catalogKey(std::string_view msgid, std::string_view context) {
    constexpr std::uint32_t kOffset = 2166136261U;
    constexpr std::uint32_t kPrime = 16777619U;
    std::uint32_t hash = kOffset;
    const auto add = [&hash](std::string_view bytes) {
        for (const char c : bytes) hash = (hash ^ static_cast<unsigned char>(c)) * kPrime;
    };
    if (!context.empty()) {
        add(context);
        add(std::string_view(&kContextEnd, 1));
    }
    add(msgid);
    return hash;
}

Catalog::Catalog(std::string_view bytes) {
    const bool read =
        bytes.substr(0, kPageMagic.size()) == kPageMagic ? readPage(bytes) : readMo(bytes);
    if (!read) *this = Catalog();
}

bool Catalog::readPage(std::string_view page) {
    for (std::string_view rest = page.substr(kPageMagic.size()); !rest.empty();) {
        const std::size_t end = rest.find('\n');
        if (end == std::string_view::npos) return false;  // cut short
        const std::string_view line = rest.substr(0, end);
        rest.remove_prefix(end + 1);
        const std::size_t tab = line.find('\t');
        if (line.empty() || tab == std::string_view::npos) return false;
        const std::string_view key = line.substr(1, tab - 1);
        const auto text = unescaped(line.substr(tab + 1));
        if (!text) return false;
        if (line[0] == kKeyedText) {
            if (key.size() != kKeyDigits ||
                key.find_first_not_of("0123456789abcdef") != std::string_view::npos)
                return false;
            texts_.emplace(key, *text);
        } else if (line[0] == kWholeWord && !key.empty()) {
            words_.emplace(*text, key);
            typed_.emplace(key, *text);
        } else {
            return false;
        }
    }
    hashed_ = true;
    return !texts_.empty();
}

bool Catalog::readMo(std::string_view mo) {
    const Reader r{mo};
    const auto magic = r.word(0);
    const auto count = r.word(2 * kWord);
    const auto sources = r.word(3 * kWord);
    const auto translations = r.word(4 * kWord);
    if (magic != kMagic || !count || !sources || !translations) return false;
    for (std::uint32_t n = 0; n < *count; ++n) {
        const auto source = r.string(*sources, n);
        const auto translation = r.string(*translations, n);
        if (!source || !translation) return false;
        if (source->empty()) continue;  // the header entry
        // A plural entry carries its forms after the first, each ended by a NUL; the game has
        // none, and the first form serves.
        const std::string_view shown = translation->substr(0, translation->find('\0'));
        const std::string_view key = source->substr(0, source->find('\0'));
        texts_.emplace(key, shown);
        const std::size_t end = key.find(kContextEnd);
        if (end != std::string_view::npos && key.substr(0, end) == kObjectWord)
            words_.emplace(shown, key.substr(end + 1));
    }
    return true;
}

std::string_view Catalog::translate(std::string_view russian, std::string_view context) const {
    if (russian.empty()) return russian;  // the header's key, and an empty cell stays empty
    if (hashed_) {
        const auto& texts = context == kObjectWord ? typed_ : texts_;
        const auto it = texts.find(context == kObjectWord ? std::string(russian)
                                                          : hex(catalogKey(russian, context)));
        return it == texts.end() || it->second.empty() ? russian : std::string_view(it->second);
    }
    std::string key;
    if (!context.empty()) {
        key.reserve(context.size() + 1 + russian.size());
        key.append(context).push_back(kContextEnd);
    }
    key.append(russian);
    const auto it = texts_.find(key);
    return it == texts_.end() || it->second.empty() ? russian : std::string_view(it->second);
}

std::optional<std::string_view> Catalog::objectWord(std::string_view typed) const {
    if (empty()) return typed;
    const auto it = words_.find(typed);
    if (it == words_.end()) return std::nullopt;
    return std::string_view(it->second);
}

std::string_view chooseLanguage(std::string_view language, std::string_view locale,
                                std::span<const std::string_view> available) {
    // Each preference in turn; the locale after the list, as its last entry.
    for (std::string_view rest = language;;) {
        const bool last = rest.empty();
        const std::size_t colon = rest.find(':');
        std::string_view wanted = last ? locale : rest.substr(0, colon);
        rest = colon == std::string_view::npos ? std::string_view() : rest.substr(colon + 1);
        // "en_GB.UTF-8@euro": the codeset and modifier say nothing of the language.
        wanted = wanted.substr(0, wanted.find_first_of(".@"));
        const std::string_view base = wanted.substr(0, wanted.find('_'));
        if (wanted == "C" || wanted == "POSIX" || base == "ru") return {};
        if (!wanted.empty()) {
            for (std::string_view code : available)
                if (code == wanted) return code;
            for (std::string_view code : available)
                if (code == base) return code;
        }
        if (last) return {};
    }
}

}  // namespace tarvilon::layout
