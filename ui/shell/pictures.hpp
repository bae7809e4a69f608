#pragma once

#include <QCursor>
#include <QIcon>
#include <QPixmap>
#include <QSize>
#include <string_view>

namespace tarvilon::ui {

// Pictures are drawn from vector sources at the screen's pixel ratio, so they stay sharp at
// any scale.
QPixmap picture(const QString& resource, QSize size, qreal pixelRatio);
// A drawing the layout names ("forester", "guard", "skull") for a box of the given size: the
// portraits fill their box, the skull keeps its own 33 x 31.
QPixmap drawing(std::string_view name, QSize box, qreal pixelRatio);
// The 32 x 32 hand over the verbs at the given pixel ratio (the primary screen's when left
// out); its hot spot is the top-left pixel.
QCursor handPointer(qreal pixelRatio);
QCursor handPointer();
// The skull, 33 x 31, as the windows' icon.
QIcon skullIcon();

}  // namespace tarvilon::ui
