// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogs/ui/WholeFrameStyle.h"

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QStyleFactory>
#include <QStyleOption>
#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

namespace movrand::dialogs {

namespace {

// The frame's lines as the style draws them at scale 1, outermost first, on each side (top,
// bottom, left, right): the colours met from the edge inwards at the side's middle, up to the
// first pixel the style leaves empty. None at all where the style fills the inside too.
using SideLines = std::array<std::vector<QColor>, 4>;

SideLines LinesOf(const QProxyStyle& style, const QStyleOptionFrame& option,
                  const QWidget* widget) {
    // A small copy of the frame shows the same lines as the whole.
    constexpr int kSample = 24;
    QStyleOptionFrame small(option);
    small.rect = QRect(0, 0, std::min(option.rect.width(), kSample),
                       std::min(option.rect.height(), kSample));
    QImage picture(small.rect.size(), QImage::Format_ARGB32_Premultiplied);
    picture.fill(Qt::transparent);
    {
        QPainter painter(&picture);
        style.QProxyStyle::drawControl(QStyle::CE_ShapedFrame, &small, &painter, widget);
    }
    const int w = picture.width(), h = picture.height();
    const int deepest = std::min(w, h) / 2;
    SideLines lines;
    if (picture.pixelColor(w / 2, h / 2).alpha() > 0) return lines;
    for (int depth = 0; depth < deepest; ++depth) {
        const QPoint at[] = {
            {w / 2, depth}, {w / 2, h - 1 - depth}, {depth, h / 2}, {w - 1 - depth, h / 2}};
        for (std::size_t side = 0; side < 4; ++side) {
            const QColor colour = picture.pixelColor(at[side]);
            if (lines[side].size() == static_cast<std::size_t>(depth) && colour.alpha() > 0)
                lines[side].push_back(colour);
        }
    }
    return lines;
}

}  // namespace

void WholeFrameStyle::Install() {
    if (qobject_cast<WholeFrameStyle*>(QApplication::style())) return;
    // A fresh copy of the style in use: the application owns the one it has and deletes it.
    QApplication::setStyle(
        new WholeFrameStyle(QStyleFactory::create(QApplication::style()->name())));
}

void WholeFrameStyle::drawControl(ControlElement element, const QStyleOption* option,
                                  QPainter* painter, const QWidget* widget) const {
    const auto* frame = qstyleoption_cast<const QStyleOptionFrame*>(option);
    const QTransform toDevice = painter->deviceTransform();
    const double scale = toDevice.m11();
    const bool wholeScale = scale == std::floor(scale) && toDevice.m22() == scale;
    if (element != CE_ShapedFrame || !frame || wholeScale || !toDevice.isInvertible() ||
        option->rect.isEmpty()) {
        QProxyStyle::drawControl(element, option, painter, widget);
        return;
    }
    const SideLines lines = LinesOf(*this, *frame, widget);
    if (std::ranges::all_of(lines, [](const auto& side) { return side.empty(); })) {
        QProxyStyle::drawControl(element, option, painter, widget);
        return;
    }
    // The edges on whole device pixels, as the control's own painting is cut there.
    const QRectF edges = toDevice.mapRect(QRectF(option->rect));
    const int left = qRound(edges.left()), top = qRound(edges.top());
    const int right = qRound(edges.right()), bottom = qRound(edges.bottom());
    const int thick = std::max(1, qRound(scale));  // one line of the style, in device pixels
    const QTransform fromDevice = toDevice.inverted();
    const auto fill = [&](int x, int y, int width, int height, const QColor& colour) {
        painter->fillRect(fromDevice.mapRect(QRectF(x, y, width, height)), colour);
    };
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing, false);
    for (std::size_t depth = 0; depth < lines[0].size(); ++depth)
        fill(left, top + int(depth) * thick, right - left, thick, lines[0][depth]);
    for (std::size_t depth = 0; depth < lines[1].size(); ++depth)
        fill(left, bottom - int(depth + 1) * thick, right - left, thick, lines[1][depth]);
    for (std::size_t depth = 0; depth < lines[2].size(); ++depth)
        fill(left + int(depth) * thick, top, thick, bottom - top, lines[2][depth]);
    for (std::size_t depth = 0; depth < lines[3].size(); ++depth)
        fill(right - int(depth + 1) * thick, top, thick, bottom - top, lines[3][depth]);
    painter->restore();
}

}  // namespace movrand::dialogs
