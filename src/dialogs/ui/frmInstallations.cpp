// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogs/ui/frmInstallations.h"

#include <QKeyEvent>
#include <QStyle>

#include "dialogs/ui/PathBreaks.h"
#include "dialogs/ui/SkinColours.h"
#include "dialogs/ui/frmInstallationsControls.h"
#include "resources/PictureIds.h"

namespace movrand::dialogs {

using namespace frmInstallationsControls;

namespace {
constexpr int kWidth = 7800;
constexpr int kHeight = 3300;
}  // namespace

frmInstallations::frmInstallations(platform::Random& rnd, QWidget* parent)
    : SkinnedWindow(QStringLiteral("frmInstallations"), Border::None, SkinExtent::Full, rnd,
                    parent) {
    SetTwipsSize(kWidth, kHeight);
    shp_ = new WhiteFrame(this);
    Place(shp_, {0, 0, kWidth, kHeight});
    lbl0_ = new QLabel(QStringLiteral("GPL was found in several Wine prefixes. Please choose the "
                                      "installation that Movrand is to use:"),
                       this);
    lbl0_->setObjectName(ControlName("lbl", lbl::kExplanation));
    setAccessibleName(lbl0_->text());
    lbl0_->setFont(SkinFont(9.75));
    lbl0_->setWordWrap(true);
    lbl0_->setStyleSheet(QStringLiteral("color: #FFFFFF; background: transparent;"));
    Place(lbl0_, {240, 180, kWidth - 480, 480});
    lst0_ = new QListWidget(this);
    lst0_->setObjectName(ControlName("lst", lst::kInstallations));
    lst0_->setAccessibleName(QStringLiteral("GPL installations"));
    lst0_->setFont(SkinFont(9.75));
    lst0_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    lst0_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);  // its width is known at loading
    UseSkinListColours(lst0_);
    Place(lst0_, {240, 720, kWidth - 480, kHeight - 1320});
    lbl0_->setBuddy(lst0_);
    img_[img::kOk] = new PictureButton(ControlName("img", img::kOk), QStringLiteral("OK"), this);
    img_[img::kCancel] =
        new PictureButton(ControlName("img", img::kCancel), QStringLiteral("Cancel"), this);
    PlaceAt(img_[img::kOk], kWidth - 2250, kHeight - 435);
    PlaceAt(img_[img::kCancel], kWidth - 1170, kHeight - 435);
    connect(img_[img::kOk], &PictureButton::Clicked, this, [this] { Answer(true); });
    connect(img_[img::kCancel], &PictureButton::Clicked, this, [this] { Answer(false); });
    connect(lst0_, &QListWidget::itemDoubleClicked, this, [this] { Answer(true); });
    setTabOrder(lst0_, img_[img::kOk]);
    setTabOrder(img_[img::kOk], img_[img::kCancel]);
}

void frmInstallations::Load(const std::vector<platform::InstallationLine>& lines) {
    PaintSkin();
    img_[img::kOk]->SetPicture(resources::kTickPicture);
    img_[img::kOk]->SetHandPointer(true);
    img_[img::kOk]->SetTip(QStringLiteral(" Use this installation "));
    img_[img::kCancel]->SetPicture(resources::kCrossPicture);
    img_[img::kCancel]->SetHandPointer(true);
    img_[img::kCancel]->SetTip(QStringLiteral(" Locate driver.ini yourself "));
    lst0_->clear();
    // Each installation in two parts, its prefix above its Windows path, each broken after a
    // separator where it is wider than the list: every path reads whole without scrolling.
    // (From the list's own width: its viewport takes its size only when it is first shown.)
    const int width =
        lst0_->width() - 2 * lst0_->frameWidth() -
        lst0_->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, lst0_) -
        2 * lst0_->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, lst0_) - 2;
    const QFontMetrics metrics(lst0_->font());
    for (const platform::InstallationLine& line : lines) {
        const QString prefix = QString::fromStdString(line.Prefix);
        const QString path = QString::fromStdString(line.DriverIniFile);
        auto* item =
            new QListWidgetItem(WrappedAtSeparators(prefix, metrics, width) + QLatin1Char('\n') +
                                    WrappedAtSeparators(path, metrics, width),
                                lst0_);
        item->setToolTip(prefix + QLatin1Char('\n') + path);
    }
    lst0_->setCurrentRow(lines.empty() ? -1 : 0);
    lst0_->setFocus();
}

void frmInstallations::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            Answer(focusWidget() != img_[img::kCancel]);
            return;
        case Qt::Key_Space:
            if (focusWidget() == img_[img::kOk] || focusWidget() == img_[img::kCancel]) {
                Answer(focusWidget() == img_[img::kOk]);
                return;
            }
            break;
        case Qt::Key_Escape:
            Answer(false);
            return;
        default:
            break;
    }
    SkinnedWindow::keyPressEvent(event);
}

void frmInstallations::Answer(bool ok) {
    choice_ = ok && lst0_->currentRow() >= 0 ? lst0_->currentRow() : platform::kChoiceCancelled;
    if (ok && choice_ == platform::kChoiceCancelled) return;  // OK needs a line
    hide();
}

}  // namespace movrand::dialogs
