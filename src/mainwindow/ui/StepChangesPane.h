// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QFrame>
#include <QLabel>
#include <QTreeWidget>

#include "history/ChangesView.h"

namespace movrand::mainwindow {

// The "History" page's lists of what changed, one above the other: what the selected step (or
// the check for files changed by hand) changed, and below it what a restore to the step would
// change. Each has a heading that says what is listed and how many, and the files and folders
// grouped by team folder, each with what happened, its sizes before and after and its Windows
// path. Tab reaches each list, the arrows walk and scroll it, and a screen reader reads each
// line whole.
class StepChangesPane : public QFrame {
    Q_OBJECT
  public:
    enum Part { kStep = 0, kRestore = 1 };

    explicit StepChangesPane(QWidget* parent = nullptr);

    void Show(const history::ChangesView& view, Part part = kStep);
    // Only a heading: nothing is listed.
    void ShowHeading(const std::string& heading, Part part = kStep);

    QLabel* Heading(Part part = kStep) const { return heading_[part]; }
    QTreeWidget* Lines(Part part = kStep) const { return lines_[part]; }

  private:
    QLabel* heading_[2];
    QTreeWidget* lines_[2];
};

}  // namespace movrand::mainwindow
