#include "described_menu_item.h"

#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QAction>
#include <QMenu>
#include <QPointer>
#include <QRegularExpression>

namespace pellomarin {

namespace {

// A command in a menu as Qt's own interface shows it, with a description.
class DescribedMenuItem : public QAccessibleInterface, public QAccessibleActionInterface {
public:
    DescribedMenuItem(QAction* action_, QMenu* menu_) : action(action_), menu(menu_) {}

    bool isValid() const override { return action && menu; }
    QObject* object() const override { return action; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QAccessibleInterface* parent() const override {
        return QAccessible::queryAccessibleInterface(menu);
    }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }

    QString text(QAccessible::Text t) const override {
        switch (t) {
            case QAccessible::Name:  // without the mnemonic's "&"
                return QString(action->text()).replace(QRegularExpression("&(.)"), "\\1");
            case QAccessible::Description:
                return action->statusTip();
            case QAccessible::Accelerator:
                return action->shortcut().toString(QKeySequence::NativeText);
            default:
                return {};
        }
    }
    void setText(QAccessible::Text, const QString&) override {}
    QRect rect() const override {
        return menu->actionGeometry(action).translated(menu->mapToGlobal(QPoint(0, 0)));
    }
    QAccessible::Role role() const override { return QAccessible::MenuItem; }
    QAccessible::State state() const override {
        QAccessible::State state;
        state.invisible = !menu->isVisible() || !action->isVisible();
        state.focused = menu->activeAction() == action;
        state.disabled = !action->isEnabled();
        return state;
    }
    void* interface_cast(QAccessible::InterfaceType type) override {
        return type == QAccessible::ActionInterface ? static_cast<QAccessibleActionInterface*>(this)
                                                    : nullptr;
    }

    QStringList actionNames() const override { return {pressAction()}; }
    void doAction(const QString& name) override {
        if (name == pressAction() && action->isEnabled())
            action->trigger();
    }
    QStringList keyBindingsForAction(const QString&) const override { return {}; }

private:
    QPointer<QAction> action;
    QPointer<QMenu> menu;
};

QAccessibleInterface* describedMenuItem(const QString& className, QObject* object) {
    auto* action = qobject_cast<QAction*>(object);
    if (className != QLatin1String("QAction") || !action || action->statusTip().isEmpty())
        return nullptr;
    for (QObject* user : action->associatedObjects())
        if (auto* menu = qobject_cast<QMenu*>(user))
            return new DescribedMenuItem(action, menu);
    return nullptr;
}

}  // namespace

void describeMenuItemsByStatusTip() {
    QAccessible::installFactory(describedMenuItem);
}

}  // namespace pellomarin
