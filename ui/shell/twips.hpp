#pragma once

#include <QRect>

namespace tarvilon::ui {

// Layouts are written in twips, as the windows were designed: 1/1440 inch, 15 to a pixel at
// 96 dots per inch. Qt scales device-independent pixels itself on other screens.
inline constexpr int kTwipsPerPixel = 15;

constexpr int px(int twips) {
    return twips / kTwipsPerPixel;
}
constexpr QRect twips(int x, int y, int width, int height) {
    return {px(x), px(y), px(width), px(height)};
}

}  // namespace tarvilon::ui
