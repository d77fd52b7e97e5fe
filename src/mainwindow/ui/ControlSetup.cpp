#include "mainwindow/ui/ControlSetup.h"

#include <QRect>
#include <QVariant>

#include "dialogs/ui/Twips.h"

namespace movrand::mainwindow {

namespace {
constexpr const char* kTwipsProperty = "twipsPlace";
}

QString ControlName(const char* kind, int index) {
    return QString("%1(%2)").arg(kind).arg(index);
}

void Place(QWidget* control, const TwipsPlace& place) {
    control->setGeometry(dialogs::TwipsRect(place.Left, place.Top, place.Width, place.Height));
    control->setProperty(kTwipsProperty, QRect(place.Left, place.Top, place.Width, place.Height));
}

void Place(QWidget* control, int left, int top, int width, int height) {
    Place(control, TwipsPlace{left, top, width, height});
}

TwipsPlace PlaceOf(const QWidget* control) {
    const QVariant stored = control->property(kTwipsProperty);
    if (stored.isValid()) {
        const QRect r = stored.toRect();
        return {r.x(), r.y(), r.width(), r.height()};
    }
    const QRect g = control->geometry();
    return {dialogs::TwipsX(g.x()), dialogs::TwipsY(g.y()), dialogs::TwipsX(g.width()),
            dialogs::TwipsY(g.height())};
}

void SetTooltip(QWidget* control, const std::string& tooltip) {
    control->setToolTip(Q(tooltip));
    control->setAccessibleDescription(Q(tooltip));
}

void SetSpokenName(QWidget* control, const std::string& name) {
    control->setAccessibleName(Q(name));
}

}  // namespace movrand::mainwindow
