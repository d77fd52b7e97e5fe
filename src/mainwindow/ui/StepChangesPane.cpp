// SPDX-License-Identifier: GPL-3.0-or-later
#include "mainwindow/ui/StepChangesPane.h"

#include <QHeaderView>
#include <QVBoxLayout>

#include "dialogs/ui/FocusMark.h"
#include "mainwindow/ui/ControlSetup.h"

namespace movrand::mainwindow {

namespace {

enum Column { kWhat, kBefore, kAfter, kPath };

// What a screen reader says for a line: all of it, in one sentence.
std::string Spoken(const history::ChangeLine& line) {
    const auto size = [](const std::string& s) { return s.empty() ? std::string("none") : s; };
    std::string text = line.What + ": " + line.Path;
    if (!line.Folder && !(line.Before.empty() && line.After.empty()))
        text += ", size before " + size(line.Before) + ", after " + size(line.After);
    return text;
}

}  // namespace

StepChangesPane::StepChangesPane(QWidget* parent)
    : QFrame(parent), heading_(new QLabel(this)), lines_(new QTreeWidget(this)) {
    heading_->setObjectName("tvwHeading(0)");
    heading_->setWordWrap(true);
    heading_->setTextFormat(Qt::PlainText);
    lines_->setObjectName("tvw(0)");
    // One of the page's controls, which Tab reaches in reading order.
    lines_->setProperty("controlKind", "tvw");
    lines_->setProperty("controlIndex", 0);
    lines_->setFocusPolicy(Qt::StrongFocus);
    lines_->setAccessibleName("Files changed");
    lines_->setColumnCount(4);
    lines_->setHeaderLabels({"What happened", "Size before", "Size after", "Windows path"});
    lines_->setRootIsDecorated(false);
    lines_->setUniformRowHeights(true);
    lines_->setSelectionMode(QAbstractItemView::SingleSelection);
    lines_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    lines_->setTextElideMode(Qt::ElideNone);  // a long path scrolls sideways, never cut
    QHeaderView* header = lines_->header();
    header->setStretchLastSection(false);
    header->resizeSection(kWhat, 150);
    header->resizeSection(kBefore, 72);
    header->resizeSection(kAfter, 72);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(3);
    layout->addWidget(heading_);
    layout->addWidget(lines_, 1);
    dialogs::FocusMark::Attach(lines_);
    ShowHeading("");
}

void StepChangesPane::ShowHeading(const std::string& heading) {
    Show({heading, {}});
}

void StepChangesPane::Show(const history::ChangesView& view) {
    heading_->setText(Q(view.Heading));
    lines_->setAccessibleDescription(Q(view.Heading));
    lines_->clear();
    QFont bold = lines_->font();
    bold.setBold(true);
    for (const history::ChangeGroup& group : view.Groups) {
        auto* folder = new QTreeWidgetItem(lines_, {Q(group.Folder)});
        folder->setFirstColumnSpanned(true);
        folder->setFont(kWhat, bold);
        folder->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
        folder->setData(kWhat, Qt::AccessibleTextRole,
                        Q("Folder " + group.Folder + ", " + std::to_string(group.Lines.size()) +
                          (group.Lines.size() == 1 ? " line" : " lines")));
        for (const history::ChangeLine& line : group.Lines) {
            auto* item = new QTreeWidgetItem(
                folder, {Q(line.What), Q(line.Before), Q(line.After), Q(line.Path)});
            item->setData(kWhat, Qt::AccessibleTextRole, Q(Spoken(line)));
            item->setToolTip(kPath, Q(line.Path));
            item->setToolTip(kWhat, Q(line.What));
            for (int column : {kBefore, kAfter})
                item->setTextAlignment(column, Qt::AlignRight | Qt::AlignVCenter);
        }
        folder->setExpanded(true);
    }
    // The paths whole, and at least as wide as the room left: a long one scrolls sideways.
    lines_->resizeColumnToContents(kPath);
    const int room = lines_->viewport()->width() - lines_->header()->sectionPosition(kPath);
    if (lines_->header()->sectionSize(kPath) < room) lines_->header()->resizeSection(kPath, room);
    // The first line is where the arrows start, not a choice the user made.
    if (lines_->topLevelItemCount() > 0)
        lines_->setCurrentItem(lines_->topLevelItem(0), 0, QItemSelectionModel::NoUpdate);
}

}  // namespace movrand::mainwindow
