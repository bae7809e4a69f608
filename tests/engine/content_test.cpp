#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstddef>
#include <iterator>
#include <string_view>
#include <vector>

#include "content/about.hpp"
#include "content/ending.hpp"
#include "content/places.hpp"
#include "content/speeches.hpp"

namespace {

namespace content = tarvilon::content;

constexpr std::string_view kCrLf = "\r\n";

// Widths are in characters, as the boxes show them: every byte of UTF-8 that does not
// continue a character starts one.
std::size_t Chars(std::string_view s) {
    std::size_t count = 0;
    for (const char c : s) count += (static_cast<unsigned char>(c) & 0xC0) != 0x80 ? 1 : 0;
    return count;
}

// Lengths of the displayed lines; a final CR LF does not start a new line.
std::vector<std::size_t> LineLengths(std::string_view text) {
    if (text.ends_with(kCrLf)) text.remove_suffix(kCrLf.size());
    std::vector<std::size_t> lengths;
    for (std::size_t pos; (pos = text.find(kCrLf)) != std::string_view::npos;) {
        lengths.push_back(Chars(text.substr(0, pos)));
        text.remove_prefix(pos + kCrLf.size());
    }
    lengths.push_back(Chars(text));
    return lengths;
}

// Widest line that still fits the description box, and the shortest line
// that counts as a long one left for the box to wrap.
constexpr std::size_t kPlaceLineMax = 34;
constexpr std::size_t kLongLineMin = 46;

enum class Wrap { kLongLine, kByHand, kMixed };

struct PlaceCase {
    std::string_view opening;
    Wrap wrap;
    std::string_view words;  // what the player may examine there, separated by blanks
};

constexpr PlaceCase kPlaces[] = {
    {"Вы видите обломки вертолёта", Wrap::kLongLine, "вертолёт трупы чемодан тропинка"},
    {"Вы в джунглях.", Wrap::kByHand, "дерево ветка табличка лесник указатель"},
    {"Пробираясь через заросли в", Wrap::kByHand, "охраник ворота"},
    {"Вы находитесь в поселении.", Wrap::kByHand, "торговец лекарь стол дорога"},
    {"Вы вышли на берег реки.", Wrap::kByHand, "нора дикарь доски мост"},
    {"Перебравшись через реку вы", Wrap::kByHand, "монстр кусты канат"},
    {"Вы на горе!", Wrap::kMixed, "трава фляга ветки"},
    {"Вы вновь в джунглях.", Wrap::kLongLine, "шаман сучок проход"},
    {"Вы двигаетесь по очень", Wrap::kMixed, "дух"},
    {"Вы проходите совсем чуть-чуть", Wrap::kLongLine, "дух пакет"},
    {"Просто немыслемое что-то творится!", Wrap::kLongLine, "дух стрела"},
    {"Пробравшись через густые", Wrap::kByHand, "завал пещера"},
};
static_assert(std::size(kPlaces) == content::kPlaceDescriptions.size());

TEST(PlaceDescriptions, OpeningLengthAndWrapping) {
    for (std::size_t i = 0; i < std::size(kPlaces); ++i) {
        SCOPED_TRACE(testing::Message() << "store box " << i + 1);
        const std::string_view text = content::kPlaceDescriptions[i];
        EXPECT_TRUE(text.starts_with(kPlaces[i].opening));
        EXPECT_TRUE(text.ends_with(kCrLf));
        EXPECT_GE(Chars(text), 100u);
        EXPECT_LE(Chars(text), 500u);

        const auto lines = LineLengths(text);
        std::size_t short_lines = 0;
        for (const std::size_t len : lines) short_lines += len <= kPlaceLineMax ? 1 : 0;
        switch (kPlaces[i].wrap) {
            case Wrap::kLongLine:
                EXPECT_EQ(lines.size(), 1u);
                break;
            case Wrap::kByHand:
                EXPECT_GT(lines.size(), 1u);
                EXPECT_EQ(short_lines, lines.size());
                break;
            case Wrap::kMixed:
                EXPECT_GT(short_lines, 0u);
                EXPECT_LT(short_lines, lines.size());
                for (const std::size_t len : lines) {
                    EXPECT_TRUE(len <= kPlaceLineMax || len >= kLongLineMin) << "line of " << len;
                }
                break;
        }
    }
}

TEST(PlaceDescriptions, SpiritLandNoteSitsOnItsOwnLine) {
    const std::string_view text = content::kPlaceDescriptions[8];
    const std::size_t note = text.find("NB!");
    ASSERT_NE(note, std::string_view::npos);
    EXPECT_EQ(text.substr(note - kCrLf.size(), kCrLf.size()), kCrLf);
    EXPECT_NE(text.find("Идти", note), std::string_view::npos);
}

// Whether a character starting with this byte is a letter. In UTF-8 a Cyrillic letter is two
// bytes, the first D0 to D3; no other byte above 7F starts a letter in these texts.
bool IsLetter(unsigned char lead) {
    return lead < 0x80 ? std::isalpha(lead) != 0 : lead >= 0xD0 && lead <= 0xD3;
}

bool HasWholeWord(std::string_view text, std::string_view word) {
    const auto byte = [text](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    for (std::size_t pos = text.find(word); pos != std::string_view::npos;
         pos = text.find(word, pos + 1)) {
        const std::size_t end = pos + word.size();
        const bool letter_before =
            pos > 0 && (IsLetter(byte(pos - 1)) ||
                        (pos > 1 && (byte(pos - 1) & 0xC0) == 0x80 && IsLetter(byte(pos - 2))));
        const bool letter_after = end < text.size() && IsLetter(byte(end));
        if (!letter_before && !letter_after) return true;
    }
    return false;
}

// Examine matches the typed word exactly, so the player must find each word in the text
// as it is to be typed: whole, in lower case, "вертолёт" and not just "вертолёта".
TEST(PlaceDescriptions, ShowEveryObjectWordAsTyped) {
    for (std::size_t i = 0; i < std::size(kPlaces); ++i) {
        std::string_view words = kPlaces[i].words;
        while (!words.empty()) {
            const std::string_view word = words.substr(0, words.find(' '));
            EXPECT_TRUE(HasWholeWord(content::kPlaceDescriptions[i], word))
                << "store box " << i + 1 << " lacks " << word;
            words.remove_prefix(std::min(word.size() + 1, words.size()));
        }
    }
}

struct TextCase {
    const char* name;
    std::string_view text;
    std::string_view opening;
    std::size_t min_chars;
    std::size_t max_chars;
    std::size_t max_line;  // 0: must be a single line with no breaks at all
};

const TextCase kTexts[] = {
    {"intro", content::kIntroStory, "Много лет назад, на острове", 1050, 1150, 44},
    {"closing", content::kClosingNarrative, "Вы входите в пещеру.", 1317, 1317, 60},
    {"shaman", content::kShamanSpeech, "Шаман говорит вам, что бы пройти Землю духов", 227, 227, 0},
    {"village news", content::kVillageNews, "У нас в деревни есть всё!", 181, 181, 0},
    {"credits", content::kAboutCredits, "", 1, 52, 0},
    {"rights", content::kAboutRights, "", 1, 16, 0},
};

TEST(Texts, OpeningLengthAndWrapping) {
    for (const TextCase& c : kTexts) {
        SCOPED_TRACE(c.name);
        EXPECT_TRUE(c.text.starts_with(c.opening));
        EXPECT_GE(Chars(c.text), c.min_chars);
        EXPECT_LE(Chars(c.text), c.max_chars);
        if (c.max_line == 0) {
            EXPECT_EQ(c.text.find_first_of("\r\n"), std::string_view::npos);
            continue;
        }
        const auto lines = LineLengths(c.text);
        EXPECT_GT(lines.size(), 1u);
        for (const std::size_t len : lines) EXPECT_LE(len, c.max_line);
    }
    EXPECT_TRUE(content::kIntroStory.ends_with(kCrLf));
}

TEST(Texts, CrLfBreaksOnly) {
    std::vector<std::string_view> all(content::kPlaceDescriptions.begin(),
                                      content::kPlaceDescriptions.end());
    for (const TextCase& c : kTexts) all.push_back(c.text);
    for (std::size_t n = 0; n < all.size(); ++n) {
        SCOPED_TRACE(testing::Message() << "text #" << n);
        const std::string_view text = all[n];
        for (std::size_t i = 0; i < text.size(); ++i) {
            if (text[i] == '\r') {
                EXPECT_TRUE(i + 1 < text.size() && text[i + 1] == '\n') << "bare CR at " << i;
            }
            if (text[i] == '\n') {
                EXPECT_TRUE(i > 0 && text[i - 1] == '\r') << "bare LF at " << i;
            }
        }
    }
}

}  // namespace
