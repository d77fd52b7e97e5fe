// SPDX-License-Identifier: GPL-3.0-or-later
#include "mainwindow/ui/ReadingOrder.h"

#include <QVariant>
#include <algorithm>

namespace movrand::mainwindow {

namespace {

struct Item {
    QRect place;
    std::vector<QWidget*> controls;
};

bool IsFrame(const QWidget* w) {
    return w->property("controlKind").toString() == QLatin1String("fra");
}

bool TakesTab(const QWidget* w) {
    return w->property("controlKind").isValid() && !IsFrame(w) &&
           (w->focusPolicy() & Qt::TabFocus) != 0;
}

void Collect(const QWidget* container, std::vector<Item>& items) {
    for (QObject* child : container->children()) {
        auto* w = qobject_cast<QWidget*>(child);
        if (!w || w->isWindow()) continue;
        if (TakesTab(w)) {
            items.push_back({w->geometry(), {w}});
        } else if (IsFrame(w)) {
            std::vector<QWidget*> inner = ReadingOrder(w);
            if (!inner.empty()) items.push_back({w->geometry(), std::move(inner)});
        } else if (!w->property("controlKind").isValid()) {
            // A plain holder (a page of the tab control) is read through.
            Collect(w, items);
        }
    }
}

}  // namespace

std::vector<QWidget*> ReadingOrder(const QWidget* container) {
    std::vector<Item> items;
    Collect(container, items);
    std::stable_sort(items.begin(), items.end(),
                     [](const Item& a, const Item& b) { return a.place.top() < b.place.top(); });
    std::vector<QWidget*> order;
    for (std::size_t first = 0; first < items.size();) {
        const QRect& lead = items[first].place;
        const int middle = lead.top() + lead.height() / 2;
        std::size_t end = first + 1;
        while (end < items.size() && items[end].place.top() < middle) ++end;
        std::stable_sort(
            items.begin() + first, items.begin() + end, [](const Item& a, const Item& b) {
                return a.place.left() != b.place.left() ? a.place.left() < b.place.left()
                                                        : a.place.top() < b.place.top();
            });
        for (std::size_t i = first; i < end; ++i)
            order.insert(order.end(), items[i].controls.begin(), items[i].controls.end());
        first = end;
    }
    return order;
}

void ChainFocus(const std::vector<QWidget*>& controls) {
    for (std::size_t i = 1; i < controls.size(); ++i)
        QWidget::setTabOrder(controls[i - 1], controls[i]);
}

}  // namespace movrand::mainwindow
