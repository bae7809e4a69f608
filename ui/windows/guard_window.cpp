#include "windows/guard_window.hpp"

#include "shell/click_label.hpp"
#include "shell/pictures.hpp"
#include "shell/twips.hpp"
#include "shell/widget_text.hpp"

namespace tarvilon::ui {
namespace {

constexpr QRect kClientArea = twips(2115, 1710, 4680, 3615);
constexpr QRect kPortrait = twips(3360, 120, 1215, 1815);

struct Line {
    const char* name;
    QRect rect;
    std::string_view caption;
    GuardLine line;
};

// clang-format off
// From the top of the stacking order down, under the portrait. On screen they stand in the
// order Label2, Label4, Label3, Label5, Label7, Label6.
const std::array kLines = {
    Line{"Label7", twips(120, 3000, 2535, 255), guard::kNoCoins,        GuardLine::NoCoins},
    Line{"Label6", twips(120, 3240,  855, 255), guard::kSeeYou,         GuardLine::SeeYou},
    Line{"Label5", twips(120, 2760, 3495, 255), guard::kPay,            GuardLine::Pay},
    Line{"Label4", twips(120, 2280, 2295, 255), guard::kWhatIsHere,     GuardLine::WhatIsHere},
    Line{"Label3", twips(120, 2520, 2055, 255), guard::kMayIEnter,      GuardLine::MayIEnter},
    Line{"Label2", twips(120, 2040, 2175, 255), guard::kAreYouTheGuard, GuardLine::AreYouTheGuard},
};
// clang-format on

}  // namespace

GuardWindow::GuardWindow(Shell& shell)
    : SecondaryWindow(shell, Window::Musik, kClientArea, kBareDialog) {
    setObjectName(QStringLiteral("musik"));
    setAccessibleName(QStringLiteral("Охранник"));

    auto& portrait = addLabel("Picture1", kPortrait, {});
    portrait.setAccessibleName(QStringLiteral("Портрет охранника"));
    portrait.setPixmap(
        picture(QStringLiteral(":/pictures/guard.svg"), kPortrait.size(), devicePixelRatioF()));
    for (const Line& l : kLines) {
        const GuardLine line = l.line;
        lines_[static_cast<std::size_t>(line)] =
            &addLine(l.name, l.rect, l.caption, [line](Game& g) { g.say(line); });
    }
    answer_ = &addLabel("Label1", twips(1080, 120, 2175, 1815), {});
    answer_->setWordWrap(true);
}

void GuardWindow::redraw(const Game& game) {
    setCaption(*answer_, game.guard().answer);
    for (std::size_t i = 0; i < lines_.size(); ++i)
        lines_[i]->setVisible(game.guard().isOffered(static_cast<GuardLine>(i)));
}

}  // namespace tarvilon::ui
