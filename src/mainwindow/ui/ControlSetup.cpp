// SPDX-License-Identifier: GPL-3.0-or-later
#include "mainwindow/ui/ControlSetup.h"

#include <QPalette>
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

// Only the palette changes: a style sheet set and cleared would leave the control in the
// application's font rather than the window's.
void SetTextColour(QWidget* control, std::uint32_t colour) {
    constexpr const char* kMadeWith = "paletteAsMade";
    if (!control->property(kMadeWith).isValid())
        control->setProperty(kMadeWith, QVariant::fromValue(control->palette()));
    QPalette palette = control->property(kMadeWith).value<QPalette>();
    if (!(colour & 0x80000000u)) {
        const QColor text(colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF);
        for (QPalette::ColorRole role :
             {QPalette::WindowText, QPalette::ButtonText, QPalette::Text})
            palette.setColor(role, text);
    }
    control->setPalette(palette);
}

void ShowElided(QLabel* label, const QString& text, const QString& whole) {
    const QFontMetrics metrics = label->fontMetrics();
    // A framed label indents its text by half an "x" on each side.
    const int room = label->contentsRect().width() - 2 * label->margin() -
                     (label->frameWidth() > 0 ? metrics.horizontalAdvance(QLatin1Char('x')) : 0);
    label->setText(metrics.elidedText(text, Qt::ElideMiddle, room));
    label->setToolTip(whole);
    label->setAccessibleDescription(whole);
}

}  // namespace movrand::mainwindow
