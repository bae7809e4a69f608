#include "shell/click_label.hpp"

#include <QAccessibleWidget>
#include <QMouseEvent>

namespace tarvilon::ui {
namespace {

class AccessibleClickLabel : public QAccessibleWidget {
  public:
    explicit AccessibleClickLabel(ClickLabel* label)
        : QAccessibleWidget(label, QAccessible::Button) {}

    QString text(QAccessible::Text t) const override {
        auto* label = static_cast<ClickLabel*>(widget());
        if (t == QAccessible::Name && label->accessibleName().isEmpty()) return label->text();
        return QAccessibleWidget::text(t);
    }
    QStringList actionNames() const override {
        return widget()->isEnabled() ? QStringList{pressAction()} : QStringList{};
    }
    void doAction(const QString& action) override {
        // The same guard a mouse has: a disabled or hidden label takes no click.
        if (action == pressAction() && widget()->isEnabled() && widget()->isVisible())
            static_cast<ClickLabel*>(widget())->activate();
    }
};

QAccessibleInterface* makeAccessible(const QString& className, QObject* object) {
    if (className == QLatin1String("tarvilon::ui::ClickLabel"))
        if (auto* label = qobject_cast<ClickLabel*>(object)) return new AccessibleClickLabel(label);
    return nullptr;
}

}  // namespace

ClickLabel::ClickLabel(QWidget* parent) : QLabel(parent) {
    // A press here belongs to the label, never to a drag of the window behind it.
    setAttribute(Qt::WA_NoMousePropagation);
    setTextFormat(Qt::PlainText);
}

void ClickLabel::activate() {
    emit clicked();
}

void ClickLabel::mousePressEvent(QMouseEvent* event) {
    pressed_ = event->button() == Qt::LeftButton;
    event->accept();
}

void ClickLabel::mouseReleaseEvent(QMouseEvent* event) {
    const bool click = pressed_ && event->button() == Qt::LeftButton &&
                       rect().contains(event->position().toPoint());
    pressed_ = false;
    event->accept();
    if (click) emit clicked();
}

void installClickLabelAccessibility() {
    QAccessible::installFactory(makeAccessible);
}

}  // namespace tarvilon::ui
