// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogs/ui/MessageLabel.h"

#include <QPainter>
#include <QRegularExpression>
#include <QTextLayout>
#include <cmath>

#include "dialogs/ui/PathBreaks.h"
#include "dialogs/ui/SkinFace.h"

namespace movrand::dialogs {

namespace {

// The texts break their lines with CR LF; a text layout breaks at the line separator. A line
// that a composed text begins with a blank (" already exists.") starts at the margin like the
// others.
QString Lines(const QString& text) {
    QString lines = text;
    lines.replace(QStringLiteral("\r\n"), QString(QChar::LineSeparator));
    lines.replace(QLatin1Char('\n'), QChar::LineSeparator);
    lines.remove(QLatin1Char('\r'));
    static const QRegularExpression blanksAfterBreak(QStringLiteral("\u2028 +"));
    lines.replace(blanksAfterBreak, QString(QChar::LineSeparator));
    return BreakableAtSeparators(lines);
}

// Lays the text out at a width; returns the height it takes.
qreal LayOutText(QTextLayout& layout, int width) {
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout.setTextOption(option);
    qreal y = 0;
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(width);
        line.setLeadingIncluded(true);
        line.setPosition(QPointF(0, y));
        y += line.height();
    }
    layout.endLayout();
    return y;
}

}  // namespace

MessageLabel::MessageLabel(QWidget* parent) : QLabel(parent) {
    setFont(SkinFont(12));
    setWordWrap(true);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    setTextFormat(Qt::PlainText);
    setStyleSheet(QStringLiteral("color: #FFFFFF; background: transparent;"));
}

int MessageLabel::TextHeight(int width) const {
    QTextLayout layout(Lines(text()), font());
    return static_cast<int>(std::ceil(LayOutText(layout, width)));
}

int MessageLabel::WidestLine() const {
    int widest = 0;
    for (const QString& line : Lines(text()).split(QChar::LineSeparator))
        widest = std::max(widest, fontMetrics().horizontalAdvance(line) + 1);
    return widest;
}

int MessageLabel::WidestFileLine() const {
    int widest = 0;
    int files = 0;
    for (const QString& line : Lines(text()).split(QChar::LineSeparator)) {
        if (!line.contains(QLatin1Char('\\'))) continue;
        ++files;
        widest = std::max(widest, fontMetrics().horizontalAdvance(line) + 1);
    }
    return files > 1 ? widest : 0;
}

void MessageLabel::paintEvent(QPaintEvent*) {
    QTextLayout layout(Lines(text()), font());
    LayOutText(layout, width());
    QPainter painter(this);
    painter.setPen(QColor(Qt::white));
    layout.draw(&painter, QPointF(0, 0));
}

}  // namespace movrand::dialogs
