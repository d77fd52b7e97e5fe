// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QLabel>
#include <QLineEdit>
#include <optional>
#include <string>

#include "dialogs/ui/PictureButton.h"
#include "dialogs/ui/SkinnedWindow.h"

namespace movrand::dialogs {

// The program's window that asks for one line of text: a question, a box holding the text to
// change, a green Save and a red Cancel picture, with a title bar like the website-address
// dialog. Enter saves, Escape and closing the window cancel.
class frmText : public SkinnedWindow {
    Q_OBJECT
  public:
    explicit frmText(platform::Random& rnd, QWidget* parent = nullptr);

    // Puts the question and the text in place and paints the skin.
    void Load(const std::string& message, const std::string& text);
    // What was typed when Save was clicked; nullopt otherwise.
    const std::optional<std::string>& Answer() const { return answer_; }

    QLineEdit* Box() const { return txt0_; }
    PictureButton* img(int index) const { return img_[index]; }

  private:
    void img_Click(int index);

    QLabel* lbl0_;
    QLineEdit* txt0_;
    PictureButton* img_[2];
    std::optional<std::string> answer_;
};

}  // namespace movrand::dialogs
