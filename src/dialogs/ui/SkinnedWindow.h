// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QDialog>
#include <QFont>
#include <QLabel>
#include <QPixmap>
#include <functional>

#include "dialogs/DialogLayout.h"
#include "dialogs/PaintSkin.h"
#include "dialogs/ui/MessageLabel.h"
#include "dialogs/ui/SkinFace.h"
#include "platform/Random.h"

namespace movrand::dialogs {

// The object name of control `index` of a window's array `kind`: "img(0)". Each window names
// its indices in its frm...Controls.h.
inline QString ControlName(const char* kind, int index) {
    return QStringLiteral("%1(%2)").arg(QLatin1String(kind)).arg(index);
}

// The white 1-pixel outline of the borderless windows. It lets every mouse click through.
class WhiteFrame : public QWidget {
  public:
    explicit WhiteFrame(QWidget* parent);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
};

// The common ground of the program's own dialogs: the dark tiled background painted once into
// the window's own picture (so it survives being covered), the hidden tile holder, sizes
// in twips, and the keys that answer them: Enter the accepting choice, Escape the declining one.
class SkinnedWindow : public QDialog {
    Q_OBJECT
  public:
    enum class Border { None, FixedDialog };

    SkinnedWindow(const QString& name, Border border, SkinExtent extent, platform::Random& rnd,
                  QWidget* parent);

    // The window's size in twips; with a title bar this is its client size. A window never
    // grows past the work area of its screen: it stays within it, its controls laid out for the
    // size it got.
    void SetTwipsSize(int width, int height);
    int WidthTwips() const;
    int HeightTwips() const;

    // Lays the tiles over the background from the window's current outer size.
    void PaintSkin();
    const QPixmap& Background() const { return background_; }

    // Makes the window higher by what its text needs beyond the label's place `box`, so that no
    // text is cut; whatever lies below the label moves down with the bottom edge. A list of
    // files widens the window for its longest file line, and where the screen has not the
    // height, the window widens for the text's longest line and the text scrolls; never past
    // the screen's work area. True when it grew.
    bool GrowForText(const MessageLabel& label, const TwipsBox& box);

    // Screen readers name the window after the first line of its text and read the whole text
    // as its description.
    void NameAfterText(const std::string& text);

    // What Enter and Escape do (Enter on a focused picture button presses that button instead).
    // A key without an answer does nothing, so a window is never closed behind its owner's back.
    void SetKeyAnswers(std::function<void()> enter, std::function<void()> escape);

    // Puts a control at a place given in twips.
    static void Place(QWidget* control, const TwipsBox& box);
    static QRect PixelBox(const TwipsBox& box);
    static void PlaceAt(QWidget* control, int left, int top);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;

    QLabel* TileHolder() const { return tileHolder_; }
    // Puts the focus on the first control of the tab chain that can take it.
    void FocusFirstControl();

  private:
    // The largest size, in pixels, that keeps the whole window within its screen's work area.
    QSize Room() const;

    Border border_;
    SkinExtent extent_;
    platform::Random& rnd_;
    QLabel* tileHolder_;
    QPixmap background_;
    int widthTwips_ = 0;
    int heightTwips_ = 0;
    std::function<void()> enter_;
    std::function<void()> escape_;
};

}  // namespace movrand::dialogs
