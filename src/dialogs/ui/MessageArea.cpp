// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogs/ui/MessageArea.h"

#include <QScrollBar>

namespace movrand::dialogs {

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
}

void MessageArea::SetText(const QString& text) {
    label_->setText(text);
    Fit();
}

bool MessageArea::Scrolls() const {
    return verticalScrollBarPolicy() == Qt::ScrollBarAlwaysOn;
}

void MessageArea::resizeEvent(QResizeEvent* event) {
    QScrollArea::resizeEvent(event);
    Fit();
}

// A text that fits fills the whole place, as a label would; a longer one is laid out at the
// width the scroll bar leaves.
void MessageArea::Fit() {
    const bool scrolls = label_->TextHeight(width()) > height();
    const int lineWidth = scrolls ? width() - verticalScrollBar()->sizeHint().width() : width();
    setVerticalScrollBarPolicy(scrolls ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
    setFocusPolicy(scrolls ? Qt::StrongFocus : Qt::NoFocus);
    label_->resize(std::max(lineWidth, 0), std::max(height(), label_->TextHeight(lineWidth)));
    if (scrolls) verticalScrollBar()->setSingleStep(label_->fontMetrics().lineSpacing());
}

}  // namespace movrand::dialogs
