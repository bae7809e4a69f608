#include "windows/card_window.hpp"

#include "shell/cell_label.hpp"
#include "shell/click_label.hpp"
#include "shell/layout.hpp"
#include "shell/twips.hpp"
#include "shell/widget_text.hpp"

namespace tarvilon::ui {
namespace {

constexpr QRect kClientArea = twips(2340, 1605, 3825, 2970);
// A face-down card: a word written in black on black, so it is there but cannot be read.
constexpr QColor kCardFace{0, 0, 0};
constexpr QColor kUnturnedText{0, 0, 0};
// What a screen reader hears for a card that has not been turned.
constexpr const char* kFaceDownName = "Карта";

}  // namespace

CardWindow::CardWindow(Shell& shell)
    : SecondaryWindow(shell, Window::Stol, kClientArea, kBareDialog) {
    setObjectName(QStringLiteral("Stol"));
    setAccessibleName(QStringLiteral("Карты судьбы"));

    victory_ = &addLine("Label7", twips(2880, 2520, 735, 255), cards::kVictory,
                        [](Game& g) { g.claimVictory(); });
    death_ = &addLine("Label6", twips(360, 2520, 975, 255), cards::kYouDied,
                      [](Game& g) { g.acceptDeath(); });
    death_->setToolTip(qt(cards::kYouDiedTip));
    dealNumber_ = new CellLabel(this);
    dealNumber_->setObjectName(QStringLiteral("Label5"));
    dealNumber_->setGeometry(twips(3240, 960, 495, 255));
    dealNumber_->lower();
    dealNumber_->hide();  // only ever read back by the deal

    struct Place {
        const char* name;
        QRect rect;
        Card card;
    };
    const std::array places = {
        Place{"Label4", twips(2760, 1320, 735, 1095), Card::Right},
        Place{"Label3", twips(1560, 1320, 735, 1095), Card::Middle},
        Place{"Label2", twips(360, 1320, 735, 1095), Card::Left},
    };
    for (const Place& p : places) {
        const Card card = p.card;
        ClickLabel& label = addLine(p.name, p.rect, {}, [card](Game& g) { g.turn(card); });
        label.setAlignment(Qt::AlignCenter);
        label.setAutoFillBackground(true);
        QPalette pal = label.palette();
        pal.setColor(QPalette::Window, kCardFace);
        label.setPalette(pal);
        cards_[static_cast<std::size_t>(card)] = &label;
    }
    QLabel& offer = addLabel("Label1", twips(240, 120, 3255, 855), cards::kOffer);
    offer.setWordWrap(true);
}

void CardWindow::redraw(const Game& game) {
    const CardOfFate& c = game.cards();
    for (std::size_t i = 0; i < cards_.size(); ++i) {
        const auto card = static_cast<Card>(i);
        ClickLabel& label = *cards_[i];
        setCaption(label, c.word(card));
        setTextColour(label, c.isTurned(card) ? kBrightWhite : kUnturnedText);
        label.setAccessibleName(c.isTurned(card) ? qt(c.word(card))
                                                 : QString::fromUtf8(kFaceDownName));
        label.setVisible(c.isShown(card));
    }
    setCaption(*dealNumber_, c.deal >= 0 ? numberText(c.deal) : std::string());
    victory_->setVisible(c.victoryShown);
    death_->setVisible(c.deathShown);
}

}  // namespace tarvilon::ui
