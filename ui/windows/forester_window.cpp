#include "windows/forester_window.hpp"

#include "shell/click_label.hpp"
#include "shell/layout.hpp"
#include "shell/pictures.hpp"
#include "shell/twips.hpp"
#include "shell/widget_text.hpp"

namespace tarvilon::ui {
namespace {

constexpr QRect kClientArea = twips(2115, 2265, 4680, 2985);
constexpr QRect kPortrait = twips(120, 120, 1455, 1695);
// A dark forest ground, so that the player's white lines and the portrait's black frame read.
constexpr QColor kGround{28, 40, 26};
constexpr QColor kAnswerColour{240, 232, 190};

struct Line {
    const char* name;
    QRect rect;
    std::string_view caption;
    ForesterLine line;
};

// clang-format off
// From the top of the stacking order down, under the portrait.
const std::array kLines = {
    Line{"Label6", twips(1560, 2640,  495, 255), forester::kBye,        ForesterLine::Bye},
    Line{"Label5", twips( 120, 2640,  975, 255), forester::kSeeYou,     ForesterLine::SeeYou},
    Line{"Label4", twips( 120, 2400, 3615, 255), forester::kComeWithMe, ForesterLine::ComeWithMe},
    Line{"Label3", twips( 120, 2160, 3855, 255), forester::kSettlement, ForesterLine::Settlement},
    Line{"Label2", twips( 120, 1920, 1935, 255), forester::kWhoAreYou,  ForesterLine::WhoAreYou},
};
// clang-format on

}  // namespace

ForesterWindow::ForesterWindow(Shell& shell)
    : SecondaryWindow(shell, Window::Lesnik, kClientArea, kBareDialog) {
    setObjectName(QStringLiteral("lesnik"));
    setAccessibleName(QStringLiteral("Лесник"));
    setAutoFillBackground(true);
    QPalette p = palette();
    p.setColor(QPalette::Window, kGround);
    setPalette(p);

    auto& portrait = addLabel("Picture1", kPortrait, {});
    portrait.setAccessibleName(QStringLiteral("Портрет лесника"));
    portrait.setPixmap(
        picture(QStringLiteral(":/pictures/forester.svg"), kPortrait.size(), devicePixelRatioF()));
    for (const Line& l : kLines) {
        const ForesterLine line = l.line;
        ClickLabel& label = addLine(l.name, l.rect, l.caption, [line](Game& g) { g.ask(line); });
        setTextColour(label, Qt::white);  // the highlight-text colour
    }
    answer_ = &addLabel("Label1", twips(1680, 120, 2895, 1695), {});
    answer_->setWordWrap(true);
    setTextColour(*answer_, kAnswerColour);
}

void ForesterWindow::redraw(const Game& game) {
    setCaption(*answer_, game.forester().answer);
}

}  // namespace tarvilon::ui
