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

StepChangesPane::StepChangesPane(QWidget* parent) : QFrame(parent) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(3);
    for (const Part part : {kStep, kRestore}) {
        QLabel* heading = heading_[part] = new QLabel(this);
        QTreeWidget* lines = lines_[part] = new QTreeWidget(this);
        heading->setObjectName(QStringLiteral("tvwHeading(%1)").arg(part));
        heading->setWordWrap(true);
        heading->setTextFormat(Qt::PlainText);
        lines->setObjectName(QStringLiteral("tvw(%1)").arg(part));
        // One of the page's controls, which Tab reaches in reading order.
        lines->setProperty("controlKind", "tvw");
        lines->setProperty("controlIndex", static_cast<int>(part));
        lines->setFocusPolicy(Qt::StrongFocus);
        lines->setAccessibleName(part == kStep ? "Files changed" : "Files a restore changes");
        lines->setColumnCount(4);
        lines->setHeaderLabels({"What happened", "Size before", "Size after", "Windows path"});
        lines->setRootIsDecorated(false);
        lines->setUniformRowHeights(true);
        lines->setSelectionMode(QAbstractItemView::SingleSelection);
        lines->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
        lines->setTextElideMode(Qt::ElideNone);  // a long path scrolls sideways, never cut
        QHeaderView* header = lines->header();
        header->setStretchLastSection(false);
        header->resizeSection(kWhat, 150);
        header->resizeSection(kBefore, 72);
        header->resizeSection(kAfter, 72);
        layout->addWidget(heading);
        layout->addWidget(lines, 1);
        dialogs::FocusMark::Attach(lines);
        ShowHeading("", part);
    }
}

void StepChangesPane::ShowHeading(const std::string& heading, Part part) {
    Show({heading, {}}, part);
}

void StepChangesPane::Show(const history::ChangesView& view, Part part) {
    QTreeWidget* lines = lines_[part];
    heading_[part]->setText(Q(view.Heading));
    lines->setAccessibleDescription(Q(view.Heading));
    lines->clear();
    QFont bold = lines->font();
    bold.setBold(true);
    for (const history::ChangeGroup& group : view.Groups) {
        auto* folder = new QTreeWidgetItem(lines, {Q(group.Folder)});
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
    lines->resizeColumnToContents(kPath);
    const int room = lines->viewport()->width() - lines->header()->sectionPosition(kPath);
    if (lines->header()->sectionSize(kPath) < room) lines->header()->resizeSection(kPath, room);
    // The first line is where the arrows start, not a choice the user made.
    if (lines->topLevelItemCount() > 0)
        lines->setCurrentItem(lines->topLevelItem(0), 0, QItemSelectionModel::NoUpdate);
}

}  // namespace movrand::mainwindow
