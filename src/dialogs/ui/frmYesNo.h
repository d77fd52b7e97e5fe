// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <string>

#include "dialogs/ui/MessageArea.h"
#include "dialogs/ui/PictureButton.h"
#include "dialogs/ui/SkinnedWindow.h"

namespace movrand::dialogs {

// The program's question window: a text, a green Yes and a red No picture, borderless, modal.
// A click on either hides the window, which keeps the answer for the caller to read; the window
// closes when the caller releases it. While it is open the pointer is the arrow even if the
// caller had set the hourglass, which comes back when the window closes.
class frmYesNo : public SkinnedWindow {
    Q_OBJECT
  public:
    explicit frmYesNo(platform::Random& rnd, QWidget* parent = nullptr);
    ~frmYesNo() override;

    void SetMessage(const std::string& message);
    void SetMyWidth(int twips) { myWidth_ = twips; }
    void SetMyHeight(int twips) { myHeight_ = twips; }
    void SetYesTooltip(const std::string& tip) { yesTooltip_ = tip; }
    void SetNoTooltip(const std::string& tip) { noTooltip_ = tip; }
    // Enter answers No and No has the focus.
    void SetNoByDefault(bool no) { noByDefault_ = no; }
    bool Yes() const { return yes_; }

    void Load();

    MessageLabel* Label() const { return area_->Label(); }
    MessageArea* Area() const { return area_; }
    PictureButton* YesButton() const { return img_[0]; }
    PictureButton* NoButton() const { return img_[1]; }

  protected:
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    void LayOut();
    void Answer(int index);
    void RestoreHourglass();

    std::string message_;
    int myWidth_ = 0;
    int myHeight_ = 0;
    std::string yesTooltip_;
    std::string noTooltip_;
    bool noByDefault_ = false;
    bool yes_ = false;
    bool hourglassWasShowing_ = false;
    MessageArea* area_;
    PictureButton* img_[2];
    WhiteFrame* shp_;
};

}  // namespace movrand::dialogs
