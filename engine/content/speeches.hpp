#pragma once

#include <string_view>

namespace tarvilon::content {

// Spoken lines go into a message box, which wraps them itself, so they carry
// no line breaks.

// The shaman's terms for the amulet.
inline constexpr std::string_view kShamanSpeech =
    "Шаман говорит вам, что бы пройти Землю духов, надо иметь амулет против духов. Он защищает "
    "того, кто его носит, а его стрелы делает настолько сильными, что ими можно убить даже духа. "
    "Этот амулет шаман отдаст вам в обмен на змею.";

// What the village guard says once he lets the hero talk.
inline constexpr std::string_view kVillageNews =
    "У нас в деревни есть всё! Можно подлечиться у лекаря, можно поторговать. Только вот беда: "
    "возле горы завёлся монстр, всё время разоряет нашу деревню. А в остальном у нас всё хорошо.";

}  // namespace tarvilon::content
