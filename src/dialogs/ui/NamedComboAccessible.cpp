// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogs/ui/NamedComboAccessible.h"

#include <QAbstractItemView>
#include <QAccessible>
#include <QAccessibleWidget>
#include <QComboBox>

namespace movrand::dialogs {

namespace {

class NamedCombo : public QAccessibleWidget {
  public:
    explicit NamedCombo(QComboBox* box) : QAccessibleWidget(box, QAccessible::ComboBox) {}

    QString text(QAccessible::Text t) const override {
        const bool named = !Box()->accessibleName().isEmpty();
        if (t == QAccessible::Value || (t == QAccessible::Name && !named))
            return Box()->currentText();
        return QAccessibleWidget::text(t);
    }

    QAccessible::State state() const override {
        QAccessible::State s = QAccessibleWidget::state();
        s.expandable = true;
        s.expanded = Box()->view() && Box()->view()->isVisible();
        s.editable = Box()->isEditable();
        return s;
    }

    QStringList actionNames() const override {
        return QStringList(showMenuAction()) + QAccessibleWidget::actionNames();
    }

    void doAction(const QString& action) override {
        if (action == showMenuAction())
            Box()->showPopup();
        else
            QAccessibleWidget::doAction(action);
    }

  private:
    QComboBox* Box() const { return static_cast<QComboBox*>(widget()); }
};

QAccessibleInterface* MakeNamedCombo(const QString& className, QObject* object) {
    auto* box = qobject_cast<QComboBox*>(object);
    if (!box || className != QLatin1String("QComboBox")) return nullptr;
    return new NamedCombo(box);
}

}  // namespace

void InstallNamedComboAccessible() {
    QAccessible::installFactory(&MakeNamedCombo);
}

}  // namespace movrand::dialogs
