// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogs/ui/MessageArea.h"

#include <QRegularExpression>
#include <QScrollBar>

namespace movrand::dialogs {

namespace {

QString Joined(const QStringList& lines, qsizetype from, qsizetype to) {
    return lines.mid(from, to - from).join(QStringLiteral("\r\n"));
}

}  // namespace

MessageParts SplitAtList(const QString& text) {
    static const QRegularExpression breaks(QStringLiteral("\r?\n"));
    const QStringList lines = text.split(breaks);
    qsizetype first = -1;
    qsizetype last = -1;  // one past the list's last line
    for (qsizetype i = 1; i < lines.size(); ++i) {
        if (!lines[i - 1].trimmed().endsWith(QLatin1Char(':')) || lines[i].trimmed().isEmpty())
            continue;
        if (first < 0) first = i;
        while (i < lines.size() && !lines[i].trimmed().isEmpty()) ++i;
        last = i;
    }
    MessageParts parts;
    if (first < 0 || last - first < 2) {
        parts.Above = text;
        return parts;
    }
    qsizetype below = last;
    while (below < lines.size() && lines[below].trimmed().isEmpty()) ++below;
    parts.Above = Joined(lines, 0, first);
    parts.List = Joined(lines, first, last);
    parts.Below = Joined(lines, below, lines.size());
    return parts;
}

MessageArea::MessageArea(QWidget* parent) : QScrollArea(parent) {
    setFrameShape(QFrame::NoFrame);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setWidgetResizable(false);
    setFocusPolicy(Qt::NoFocus);
    setAccessibleName(QStringLiteral("Message"));
    // The skin shows through.
    setAutoFillBackground(false);
    setStyleSheet(QStringLiteral("QScrollArea { background: transparent; }"));
    viewport()->setAutoFillBackground(false);
    label_ = new MessageLabel(this);
    setWidget(label_);
    label_->setAutoFillBackground(false);
    above_ = new MessageLabel(parent);
    below_ = new MessageLabel(parent);
    whole_ = new MessageLabel(this);
    for (MessageLabel* hidden : {above_, below_, whole_}) hidden->hide();
}

void MessageArea::SetText(const QString& text) {
    whole_->setText(text);
    Fit();
}

void MessageArea::SetBox(const QRect& box) {
    box_ = box;
    Fit();
}

bool MessageArea::Scrolls() const {
    return verticalScrollBarPolicy() == Qt::ScrollBarAlwaysOn;
}

// A text that fits fills the whole place, as a label would. A longer one with a list keeps the
// text around the list in view, when that leaves the list a few lines; else the whole text
// scrolls.
void MessageArea::Fit() {
    const int width = box_.width();
    const MessageParts parts = SplitAtList(whole_->text());
    bool split = false;
    if (!parts.List.isEmpty() && whole_->TextHeight(width) > box_.height()) {
        above_->setText(parts.Above);
        below_->setText(parts.Below);
        const int line = whole_->fontMetrics().lineSpacing();
        const int aboveHeight = above_->TextHeight(width);
        // Half a line apart from the list, where the text had a blank line.
        const int belowText = parts.Below.isEmpty() ? 0 : below_->TextHeight(width);
        const int belowHeight = belowText == 0 ? 0 : belowText + line / 2;
        const int listHeight = box_.height() - aboveHeight - belowHeight;
        split = listHeight >= 3 * line;
        if (split) {
            above_->setGeometry(box_.left(), box_.top(), width, aboveHeight);
            below_->setGeometry(box_.left(), box_.top() + box_.height() - belowText, width,
                                belowText);
            setGeometry(box_.left(), box_.top() + aboveHeight, width, listHeight);
            label_->setText(parts.List);
        }
    }
    above_->setVisible(split);
    below_->setVisible(split && !parts.Below.isEmpty());
    if (!split) {
        setGeometry(box_);
        label_->setText(whole_->text());
    }
    FitScrolling();
}

// The scrolling text is laid out at the width the scroll bar leaves when it is longer than its
// place.
void MessageArea::FitScrolling() {
    const bool scrolls = label_->TextHeight(width()) > height();
    const int lineWidth = scrolls ? width() - verticalScrollBar()->sizeHint().width() : width();
    setVerticalScrollBarPolicy(scrolls ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
    setFocusPolicy(scrolls ? Qt::StrongFocus : Qt::NoFocus);
    label_->resize(std::max(lineWidth, 0), std::max(height(), label_->TextHeight(lineWidth)));
    if (scrolls) verticalScrollBar()->setSingleStep(label_->fontMetrics().lineSpacing());
}

}  // namespace movrand::dialogs
