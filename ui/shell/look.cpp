#include "shell/look.hpp"

#include <QApplication>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QLabel>
#include <QStyleFactory>

namespace tarvilon::ui {
namespace {

constexpr const char* kFamily = "PT Sans";
constexpr QColor kFace = colourOf(layout::kFaceGrey);
constexpr QColor kSelection = colourOf(layout::kDarkBlue);

}  // namespace

QFont font(layout::Font role) {
    const layout::FontSize size = layout::size(role);
    QFont f(kFamily);
    f.setStyleHint(QFont::SansSerif);
    f.setPointSizeF(size.points);
    f.setBold(size.bold);
    return f;
}

void installLook() {
    // Bundled, so every machine draws the same metrics whatever fonts it has.
    QFontDatabase::addApplicationFont(QStringLiteral(":/fonts/PTSans-Regular.ttf"));
    QFontDatabase::addApplicationFont(QStringLiteral(":/fonts/PTSans-Bold.ttf"));
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));

    QPalette p;
    p.setColor(QPalette::Window, kFace);
    p.setColor(QPalette::Button, kFace);
    p.setColor(QPalette::Base, Qt::white);
    p.setColor(QPalette::AlternateBase, kFace);
    p.setColor(QPalette::WindowText, Qt::black);
    p.setColor(QPalette::ButtonText, Qt::black);
    p.setColor(QPalette::Text, Qt::black);
    p.setColor(QPalette::Highlight, kSelection);
    p.setColor(QPalette::HighlightedText, Qt::white);
    p.setColor(QPalette::ToolTipBase, QColor(255, 255, 225));
    p.setColor(QPalette::ToolTipText, Qt::black);
    p.setColor(QPalette::Light, Qt::white);
    p.setColor(QPalette::Midlight, QColor(223, 223, 223));
    p.setColor(QPalette::Mid, QColor(160, 160, 160));
    p.setColor(QPalette::Dark, QColor(128, 128, 128));
    p.setColor(QPalette::Shadow, Qt::black);
    p.setColor(QPalette::Disabled, QPalette::WindowText, Qt::black);
    p.setColor(QPalette::Disabled, QPalette::Text, Qt::black);
    p.setColor(QPalette::Disabled, QPalette::ButtonText, Qt::black);
    QApplication::setPalette(p);
    QApplication::setFont(font(layout::Font::Default));
}

void fitCaption(QLabel& label, layout::Font role) {
    // The layout's boxes were sized for a narrower face; where a caption would not fit where
    // it is drawn, it takes the largest size below the table's that does.
    QFont f = font(role);
    const QString text = label.text();
    f.setPointSizeF(layout::fittedPoints(f.pointSizeF(), label.contentsRect().width(),
                                         [&f, &text](double points) {
                                             f.setPointSizeF(points);
                                             return QFontMetricsF(f).horizontalAdvance(text);
                                         }));
    if (label.font() != f) label.setFont(f);
}

void setTextColour(QWidget& w, const QColor& colour) {
    QPalette p = w.palette();
    p.setColor(QPalette::WindowText, colour);
    p.setColor(QPalette::Disabled, QPalette::WindowText, colour);
    w.setPalette(p);
}

}  // namespace tarvilon::ui
