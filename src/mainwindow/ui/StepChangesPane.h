// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QFrame>
#include <QLabel>
#include <QTreeWidget>

#include "history/ChangesView.h"

namespace movrand::mainwindow {

// The "History" page's list of what changed: a heading that says what is listed and how many,
// and below it the files and folders, grouped by team folder, each with what happened, its
// sizes before and after and its Windows path. Tab reaches the list, the arrows walk and
// scroll it, and a screen reader reads each line whole.
class StepChangesPane : public QFrame {
    Q_OBJECT
  public:
    explicit StepChangesPane(QWidget* parent = nullptr);

    void Show(const history::ChangesView& view);
    // Only a heading: nothing is listed.
    void ShowHeading(const std::string& heading);

    QLabel* Heading() const { return heading_; }
    QTreeWidget* Lines() const { return lines_; }

  private:
    QLabel* heading_;
    QTreeWidget* lines_;
};

}  // namespace movrand::mainwindow
