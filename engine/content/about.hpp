#pragma once

#include <string_view>

namespace tarvilon::content {

// The about box gives each of these a one-line label, so keep them short:
// the credits label is about 52 characters wide, the rights label about 16.
inline constexpr std::string_view kAboutCredits =
    "Игра, текст и рисунки: мастерская \"Ночной костёр\"";
inline constexpr std::string_view kAboutRights = "Права сохранены";

}  // namespace tarvilon::content
