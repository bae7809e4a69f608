#pragma once

#include <QRect>

#include "layout.hpp"

namespace tarvilon::ui {

// The layout is written in twips, as the windows were designed: 1/1440 inch, 15 to a pixel at
// 96 dots per inch. This is the one place they become pixels; Qt scales device-independent
// pixels itself on other screens.
inline constexpr int kTwipsPerPixel = layout::kTwipsPerPixel;

constexpr int px(int twips) {
    return twips / kTwipsPerPixel;
}
constexpr QRect pixels(const layout::Rect& r) {
    return {px(r.x), px(r.y), px(r.width), px(r.height)};
}
constexpr QRect twips(int x, int y, int width, int height) {
    return pixels({x, y, width, height});
}

}  // namespace tarvilon::ui
