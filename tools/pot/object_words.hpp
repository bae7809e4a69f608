#pragma once

// Which object words each place's description must name, in every language: the player finds
// a word in the text and types it as it stands there. The template tells translators so, and
// the catalog test holds every translation to it.

#include <array>
#include <cstddef>
#include <string_view>

#include "content/places.hpp"

namespace tarvilon::pot {

struct PlaceWords {
    std::string_view place;  // what the place is, for translators
    std::string_view words;  // the Russian object words Examine answers there, blank-separated
};

// Index N is store box N + 1, as in kPlaceDescriptions.
inline constexpr std::array<PlaceWords, 12> kPlaceWords = {{
    {"the crash site", "вертолёт трупы чемодан тропинка"},
    {"the jungle", "дерево ветка табличка лесник указатель"},
    {"the village gate", "охраник ворота"},
    {"the settlement", "торговец лекарь стол дорога"},
    {"the river bank", "нора дикарь доски мост"},
    {"the foot of the mountain", "монстр кусты канат"},
    {"the mountain top", "трава фляга ветки"},
    {"the jungle again, the shaman's clearing", "шаман сучок проход"},
    {"the land of spirits, the first spirit", "дух"},
    {"the land of spirits, the second spirit", "дух пакет"},
    {"the land of spirits, the third spirit", "дух стрела"},
    {"the cave entrance", "завал пещера"},
}};
static_assert(kPlaceWords.size() == content::kPlaceDescriptions.size());

// Calls f(word) for each word of a blank-separated list.
template <typename F>
void forEachWord(std::string_view words, F f) {
    while (!words.empty()) {
        const std::size_t blank = words.find(' ');
        f(words.substr(0, blank));
        words = blank == std::string_view::npos ? std::string_view() : words.substr(blank + 1);
    }
}

}  // namespace tarvilon::pot
