#include "windows/ending_window.hpp"

#include <QPlainTextEdit>

#include "content/ending.hpp"
#include "shell/click_label.hpp"
#include "shell/layout.hpp"
#include "shell/twips.hpp"
#include "shell/widget_text.hpp"

namespace tarvilon::ui {
namespace {

constexpr QRect kClientArea = twips(2595, 1920, 5400, 4410);
constexpr QColor kActiveBorder{192, 192, 192};
constexpr std::string_view kEnd = "Конец...";

}  // namespace

EndingWindow::EndingWindow(Shell& shell)
    : SecondaryWindow(shell, Window::Form2, kClientArea, kBareDialog) {
    setObjectName(QStringLiteral("Form2"));
    setAccessibleName(QStringLiteral("Конец"));

    auto* story = new QPlainTextEdit(this);
    story->setObjectName(QStringLiteral("Text1"));
    story->setGeometry(twips(120, 120, 5175, 3855));
    story->setReadOnly(true);
    story->setFrameStyle(QFrame::NoFrame);
    story->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    story->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    QPalette p = story->palette();
    p.setColor(QPalette::Base, kActiveBorder);
    story->setPalette(p);
    story->setPlainText(displayText(content::kClosingNarrative));

    ClickLabel& end =
        addLine("Label1", twips(4320, 4080, 615, 255), kEnd, [](Game& g) { g.finish(); });
    end.setFont(ui::font(FontRole::Large));
    fitCaption(end);
}

}  // namespace tarvilon::ui
