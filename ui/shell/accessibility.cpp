#include "shell/accessibility.hpp"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QWidget>

#include "shell/click_label.hpp"

namespace tarvilon::ui {
namespace {

// The status bar and the notification an Announcer is made of: no pixels, no input, only a role.
class AnnouncerBar : public QWidget {
    Q_OBJECT
  public:
    using QWidget::QWidget;
};
class Notice : public QWidget {
    Q_OBJECT
  public:
    using QWidget::QWidget;
};

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

QAccessibleInterface* makeAccessible(const QString&, QObject* object) {
    // Qt asks for the object's own class first, so a cast that holds answers for it.
    if (auto* label = qobject_cast<ClickLabel*>(object)) return new AccessibleClickLabel(label);
    if (auto* panel = qobject_cast<Panel*>(object))
        return new QAccessibleWidget(panel, QAccessible::Grouping);
    if (auto* bar = qobject_cast<AnnouncerBar*>(object))
        return new QAccessibleWidget(bar, QAccessible::StatusBar);
    if (auto* notice = qobject_cast<Notice*>(object))
        return new QAccessibleWidget(notice, QAccessible::Notification);
    return nullptr;
}

}  // namespace

void installAccessibility() {
    QAccessible::installFactory(makeAccessible);
}

Announcer::Announcer(QWidget& window) {
    auto* bar = new AnnouncerBar(&window);
    bar->hide();
    notice_ = new Notice(bar);
}

void Announcer::say(const QString& text) const {
    if (!QAccessible::isActive()) return;
    notice_->setAccessibleName(text);
    QAccessibleEvent shown(notice_, QAccessible::ObjectShow);
    QAccessible::updateAccessibility(&shown);
}

}  // namespace tarvilon::ui

#include "accessibility.moc"
