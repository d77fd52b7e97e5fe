// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <string>

#include "dialogs/ui/MessageArea.h"
#include "dialogs/ui/PictureButton.h"
#include "dialogs/ui/SkinnedWindow.h"

namespace movrand::dialogs {

// The program's message window: a text and a green OK picture, borderless, modal. It lays
// itself out from its size, so a caller can make it larger for a long text.
class frmMsgBox : public SkinnedWindow {
    Q_OBJECT
  public:
    explicit frmMsgBox(platform::Random& rnd, QWidget* parent = nullptr);

    // Stored without the blanks around it.
    void SetMessage(const std::string& message);
    const std::string& Message() const { return message_; }

    // Puts the text in, paints the skin and sets up the OK picture.
    void Load();
    // A new size in twips, at the window's own position.
    void Move(int width, int height);

    MessageLabel* Label() const { return area_->Label(); }
    MessageArea* Area() const { return area_; }
    PictureButton* OkButton() const { return img0_; }

  protected:
    void resizeEvent(QResizeEvent* event) override;

  private:
    void LayOut();

    std::string message_;
    MessageArea* area_;
    PictureButton* img0_;
    WhiteFrame* shp_;
};

}  // namespace movrand::dialogs
