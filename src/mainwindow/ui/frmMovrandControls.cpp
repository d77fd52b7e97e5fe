// SPDX-License-Identifier: GPL-3.0-or-later
// The controls of the main window, page by page, at their design places in twips.
#include <QCompleter>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QScrollArea>
#include <QVBoxLayout>

#include "dialogs/ui/FocusMark.h"
#include "dialogs/ui/Twips.h"
#include "links/LinkCategories.h"
#include "links/ui/BrowserControl.h"
#include "mainwindow/WindowTitle.h"
#include "mainwindow/ui/ControlSetup.h"
#include "mainwindow/ui/FolderNameFilter.h"
#include "mainwindow/ui/WindowFontWhileMade.h"
#include "mainwindow/ui/frmMovrand.h"
#include "resources/StringTable.h"

namespace movrand::mainwindow {

namespace {

// Every control is made inside its parent. A widget made without one is a window of its own until
// it is placed, and placing it then takes it and its children (a box's line edit, a list's scroll
// bars) out of being a window and over to the parent's font, palette and style: work that a
// control made in its place never does (3% of a start's instructions on the first page alone).

QFrame* Panel(QWidget* parent, QFrame::Shape shape = QFrame::NoFrame) {
    auto* frame = new QFrame(parent);
    frame->setFrameShape(shape);
    if (shape != QFrame::NoFrame) frame->setFrameShadow(QFrame::Sunken);
    return frame;
}

QLabel* Caption(QWidget* parent, const std::string& text,
                Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter) {
    auto* label = new QLabel(Q(text), parent);
    label->setAlignment(alignment);
    return label;
}

// The window's one completer that has nothing to complete from, shared by its drop-down boxes: a
// line edit hands its completer over to itself whenever it takes the focus, and each completer
// costs a model of its own tied to it by some twenty connections.
QCompleter* NoCompletion(QWidget* window) {
    const QString name = QStringLiteral("noCompletion");
    if (auto* made = window->findChild<QCompleter*>(name, Qt::FindDirectChildrenOnly)) return made;
    auto* nothing = new QCompleter(window);
    nothing->setObjectName(name);
    // Completing in the line as Qt's own would, so no list of completions is ever made.
    nothing->setCompletionMode(QCompleter::InlineCompletion);
    return nothing;
}

QComboBox* DropDown(QWidget* parent, const std::string& spokenName) {
    auto* box = new QComboBox(parent);
    // The box shows a text of its own ("07" in the car-number box), but the keyboard only ever
    // chooses entries: typed characters never reach it. So it completes nothing: Qt gives an
    // editable box a completer unless its line edit comes with one, and making it (a model tied
    // to the box's by some twenty connections) took a third of a start's cost of the first
    // page's three boxes. The line edit comes with the window's completer of nothing.
    auto* edit = new QLineEdit(box);
    edit->setCompleter(NoCompletion(parent->window()));
    box->setLineEdit(edit);
    box->setInsertPolicy(QComboBox::NoInsert);
    box->lineEdit()->setContextMenuPolicy(Qt::NoContextMenu);
    box->lineEdit()->setAcceptDrops(false);
    box->setMaxVisibleItems(16);
    SetSpokenName(box, spokenName);
    return box;
}

QPlainTextEdit* TextBox(QWidget* parent, const std::string& spokenName) {
    auto* box = new QPlainTextEdit(parent);
    box->setReadOnly(true);
    SetSpokenName(box, spokenName);
    return box;
}

QLabel* Picture(QWidget* parent, const std::string& spokenName) {
    auto* picture = new QLabel(parent);
    picture->setScaledContents(true);
    SetSpokenName(picture, spokenName);
    return picture;
}

// The program's name drawn twice, the lower one a shade offset behind the upper one.
void ShadowedName(QLabel* back, QLabel* front) {
    for (QLabel* label : {back, front}) {
        QFont font = label->font();
        font.setPointSize(15);
        font.setBold(true);
        font.setItalic(true);
        label->setFont(font);
        label->setAttribute(Qt::WA_TranslucentBackground);
        // The italic capital leans past the text's start: kept clear of the focus ring.
        label->setContentsMargins(4, 0, 0, 0);
    }
    back->setStyleSheet("color: #808080;");
    front->setStyleSheet("color: #000080;");
    front->raise();
}

}  // namespace

template <typename T>
T* frmMovrand::Add(ControlArray<T>& array, const char* kind, int index, QWidget* parent,
                   T* control) {
    if (control->parentWidget() != parent) control->setParent(parent);
    control->setObjectName(ControlName(kind, index));
    control->setProperty("controlKind", kind);
    control->setProperty("controlIndex", index);
    array.Set(index, control);
    Wire(kind, index, control);
    // A control made into a part already on the screen shows at once, like its neighbours.
    if (parent->isVisible()) control->show();
    return control;
}

void frmMovrand::AddFolderPicker(int index, QWidget* parent, int left, int top, int width,
                                 int listHeight, const std::string& driveName,
                                 const std::string& folderName) {
    Place(Add(drv, "drv", index, parent, new dialogs::DriveListBox(pv_.Env.Drives, parent)), left,
          top, width, 330);
    SetSpokenName(drv(index), driveName);
    Place(Add(dir, "dir", index, parent, new dialogs::FolderListBox(pv_.Env.Drives, parent)), left,
          top + 390, width, listHeight);
    SetSpokenName(dir(index), folderName);
}

void frmMovrand::BuildControls() {
    setObjectName("frmMovrand");
    setWindowTitle(Q(WindowTitle()));
    QFont font = this->font();
    font.setPointSize(8);
    setFont(font);
    // The pages keep their design size on a canvas; a screen too small for it (a large scale
    // factor) gets a smaller window that scrolls over them, so nothing is cut.
    auto* scroller = new QScrollArea(this);
    scroller->setObjectName("scroller");
    scroller->setFrameShape(QFrame::NoFrame);
    scroller->setFocusPolicy(Qt::NoFocus);  // the keys move among the controls, not the view
    auto* canvas = new QWidget;
    canvas->setObjectName("canvas");
    canvas->setFixedSize(dialogs::TwipsSize(9480, 7680));
    canvas->installEventFilter(this);
    scroller->setWidget(canvas);
    auto* whole = new QVBoxLayout(this);
    whole->setContentsMargins(0, 0, 0, 0);
    whole->addWidget(scroller);
    setMaximumSize(canvas->size());
    resize(canvas->size());
    // Any handler that looks up a control not made yet has the rest of the window made first.
    const auto makeRest = [this] { BuildRemainingControls(); };
    const auto onMissing = [&](auto&... arrays) { (arrays.OnMissing(makeRest), ...); };
    onMissing(tabMovrand, fra, cmd, lbl, txt, cbo, chk, opt, drv, dir, pic, img, lst, web);

    auto* tabs = Add(tabMovrand, "tabMovrand", tabMovrand::kPages, canvas, new QTabWidget(canvas));
    SetSpokenName(tabs, "Pages");
    dialogs::FocusMark::AttachToTabs(tabs->tabBar());
    Place(tabs, 120, 120, 9240, 7440);
    const struct {
        const char* caption;
        int frame;
        void (frmMovrand::*build)(QWidget*);
        void (frmMovrand::*load)();
    } pages[] = {
        {"Cars / Accessories", fra::kCarsAccessoriesPage, &frmMovrand::BuildCarsAccessoriesPage,
         nullptr},
        {"Car Folders", fra::kCarFoldersPage, &frmMovrand::BuildCarFoldersPage,
         &frmMovrand::LoadCarFoldersPage},
        {"Find Add-Ons", fra::kFindAddOnsPage, &frmMovrand::BuildFindAddOnsPage,
         &frmMovrand::LoadFindAddOnsPage},
        {"GPL Directory", fra::kGplDirectoryPage, &frmMovrand::BuildGplDirectoryPage,
         &frmMovrand::LoadGplDirectoryPage},
        {"History", fra::kHistoryPage, &frmMovrand::BuildHistoryPage, &frmMovrand::ShowHistory},
    };
    for (const auto& page : pages) {
        auto* holder = new QWidget;
        auto* layout = new QVBoxLayout(holder);
        layout->setContentsMargins(0, 0, 0, 0);
        QFrame* frame = Add(fra, "fra", page.frame, holder, Panel(holder));
        SetSpokenName(frame, page.caption);
        layout->addWidget(frame);
        tabs->addTab(holder, page.caption);
        // Only the first page is seen at the start; the others are made after it is shown.
        if (page.load) {
            deferred_.push_back({page.build, frame, page.load});
        } else {
            // Made and polished in the window's font (see WindowFontWhileMade).
            const WindowFontWhileMade windowFont(*this);
            (this->*page.build)(frame);
            for (QWidget* control : frame->findChildren<QWidget*>()) control->ensurePolished();
        }
    }
    tabs->setCurrentIndex(tab::kCarsAccessories);
    OrderTabChain();
    connect(tabs, &QTabWidget::currentChanged, this, [this] { tabMovrand_Click(); });
}

void frmMovrand::BuildCarsAccessoriesPage(QWidget* page) {
    QFrame* add = Add(fra, "fra", fra::kAddModePanel, page, Panel(page));
    SetSpokenName(add, "Add Mode");
    Place(add, 120, 120, 8880, 4620);
    QFrame* remove = Add(fra, "fra", fra::kRemoveModePanel, page, Panel(page));
    SetSpokenName(remove, "Remove Mode");
    Place(remove, 120, 120, 8880, 4620);
    remove->hide();
    BuildAddModePanel(add);
    deferred_.push_back(
        {&frmMovrand::BuildRemoveModePanel, remove, &frmMovrand::LoadRemoveModePanel});

    QLabel* preview = Add(img, "img", img::kPreview, page, Picture(page, "Add-on picture"));
    preview->setFrameShape(QFrame::StyledPanel);
    Place(preview, 120, 4800, 8880, 1935);
    QLabel* noPicture =
        Add(lbl, "lbl", lbl::kNoPicture, page,
            Caption(page, "(Picture Not Produced for this Version)", Qt::AlignCenter));
    Place(noPicture, 120, 5640, 8880, 255);
    noPicture->hide();
    // Below the car number in Add mode and below the buttons in Remove mode, on the row of the
    // help button: no control of either panel or of the enlarged description reaches there.
    Place(Add(cmd, "cmd", cmd::kStartGpl, page, new QPushButton("Start GPL", page)), 4680, 3900,
          2160, 375);
}

void frmMovrand::BuildAddModePanel(QWidget* panel) {
    Place(Add(cbo, "cbo", cbo::kAddOnFiles, panel, DropDown(panel, "Add-on files")), 0, 0, 8760,
          330);

    QPlainTextEdit* description = TextBox(panel, "Description");
    Add(txt, "txt", txt::kDescription, panel, static_cast<QWidget*>(description));
    Place(description, kDescriptionNormal);
    SetTooltip(description, resources::LoadResString(resources::kIncreaseViewTip));
    QListWidget* drivers = Add(lst, "lst", lst::kTeamDrivers, panel, new QListWidget(panel));
    SetSpokenName(drivers, "Team drivers");
    Place(drivers, kDriverListNormal);
    SetTooltip(drivers, resources::LoadResString(resources::kIncreaseTextViewTip));

    QComboBox* driver = Add(cbo, "cbo", cbo::kDrivers, panel, DropDown(panel, "Driver"));
    driver->setMaxVisibleItems(19);
    Place(driver, 4560, 2400, 3240, 330);
    Place(Add(img, "img", img::kFlag, panel, Picture(panel, "Flag")), 7920, 2385, 795, 510);
    Place(Add(lbl, "lbl", lbl::kCarNumberHeading, panel,
              Caption(panel, "Car No.", Qt::AlignRight | Qt::AlignVCenter)),
          4560, 2925, 720, 255);
    Place(Add(cbo, "cbo", cbo::kCarNumbers, panel, DropDown(panel, "Car No.")), 5340, 2880, 900,
          330);
    lbl(lbl::kCarNumberHeading)->setBuddy(cbo(cbo::kCarNumbers));

    QFrame* folder =
        Add(fra, "fra", fra::kAddOnFolderFrame, panel, Panel(panel, QFrame::StyledPanel));
    SetSpokenName(folder, "Add-on folder");
    Place(folder, 0, 420, 4440, 4200);
    AddFolderPicker(dir::kAddOnFolder, folder, 120, 120, 2160, 1770, "Add-on drive",
                    "Add-on folder");
    // The buttons sit as close under the list as they sit to each other, so that the help
    // picture and the name below them have room for their focus rings inside the frame.
    Place(Add(cmd, "cmd", cmd::kAddFiles, folder, new QPushButton("Add Files", folder)), 120, 2340,
          2160, 375);
    Place(Add(cmd, "cmd", cmd::kRemoveMode, folder, new QPushButton("Remove Mode...", folder)), 120,
          2775, 2160, 375);
    Place(Add(cmd, "cmd", cmd::kSaveCarNumber, folder, new QPushButton("Save Car Number", folder)),
          120, 3210, 2160, 375);
    cmd(cmd::kSaveCarNumber)->setEnabled(false);
    Place(Add(pic, "pic", pic::kAddModeHelp, folder, Picture(folder, "Online help")), 120, 3645,
          480, 465);
    pic(pic::kAddModeHelp)->hide();
    Place(Add(lbl, "lbl", lbl::kMovrandShade, folder, Caption(folder, "Movrand")), 720, 3690, 1800,
          420);
    Place(Add(lbl, "lbl", lbl::kMovrand, folder, Caption(folder, "Movrand")), 690, 3660, 1800, 420);
    ShadowedName(lbl(lbl::kMovrandShade), lbl(lbl::kMovrand));

    Place(Add(img, "img", img::kAddOnTeam, folder, Picture(folder, "Team picture")), 2400, 120,
          1920, 1635);
    Place(Add(txt, "txt", txt::kCarFiles, folder,
              static_cast<QWidget*>(TextBox(folder, "Car files"))),
          2400, 1875, 1920, 1395);
    Place(Add(chk, "chk", chk::kExcludeGeneric, folder, new QCheckBox("Excl. Generic", folder)),
          2400, 3345, 1920, 255);
    QLabel* maker = Add(lbl, "lbl", lbl::kZorvex, folder,
                        Caption(folder, "Zorvex", Qt::AlignRight | Qt::AlignVCenter));
    QFont makerFont = maker->font();
    makerFont.setBold(true);
    makerFont.setUnderline(true);
    maker->setFont(makerFont);
    Place(maker, 2400, 3780, 1920, 300);
}

void frmMovrand::BuildRemoveModePanel(QWidget* panel) {
    Place(Add(lbl, "lbl", lbl::kTeamHeading, panel, Caption(panel, "Team")), 120, 120, 2640, 255);
    Place(Add(cbo, "cbo", cbo::kTeams, panel, DropDown(panel, "Team")), 120, 405, 2640, 330);
    Place(Add(img, "img", img::kRemoveModeTeam, panel, Picture(panel, "Team picture")), 120, 855,
          2640, 2250);
    Place(Add(lbl, "lbl", lbl::kFilesHeading, panel, Caption(panel, "Files")), 2940, 120, 5820,
          255);
    Place(Add(cbo, "cbo", cbo::kInstalledAddOns, panel, DropDown(panel, "Installed add-ons")), 2940,
          405, 5820, 330);
    Place(
        Add(lbl, "lbl", lbl::kFilesDescriptionHeading, panel, Caption(panel, "Files Description")),
        2940, 855, 5820, 255);
    Place(Add(txt, "txt", txt::kFilesDescription, panel,
              static_cast<QWidget*>(TextBox(panel, "Files Description"))),
          2940, 1140, 5820, 1965);
    Place(Add(cmd, "cmd", cmd::kRemoveFiles, panel, new QPushButton("Remove Files", panel)), 2940,
          3240, 2160, 375);
    Place(Add(cmd, "cmd", cmd::kAddMode, panel, new QPushButton("Add Mode...", panel)), 5220, 3240,
          2160, 375);
    Place(Add(pic, "pic", pic::kRemoveModeHelp, panel, Picture(panel, "Online help")), 120, 3705,
          480, 465);
    pic(pic::kRemoveModeHelp)->hide();
    Place(Add(lbl, "lbl", lbl::kHalvaneShade, panel, Caption(panel, "Halvane2")), 720, 3750, 1800,
          420);
    Place(Add(lbl, "lbl", lbl::kHalvane, panel, Caption(panel, "Halvane2")), 690, 3720, 1800, 420);
    ShadowedName(lbl(lbl::kHalvaneShade), lbl(lbl::kHalvane));
    lbl(lbl::kTeamHeading)->setBuddy(cbo(cbo::kTeams));
    lbl(lbl::kFilesHeading)->setBuddy(cbo(cbo::kInstalledAddOns));
    lbl(lbl::kFilesDescriptionHeading)->setBuddy(txt(txt::kFilesDescription));
}

void frmMovrand::BuildCarFoldersPage(QWidget* page) {
    Place(Add(lbl, "lbl", lbl::kDestinationHeading, page,
              Caption(page, "Destination for Current GPL Car Folder")),
          120, 120, 4260, 255);
    AddFolderPicker(dir::kDestinationFolder, page, 120, 420, 4260, 2340, "Destination drive",
                    "Destination folder");
    Place(Add(lbl, "lbl", lbl::kNewNameHeading, page,
              Caption(page, "New Name for Current Car Folder")),
          120, 3270, 4260, 255);
    auto* name = new QLineEdit(page);
    SetSpokenName(name, "New Name for Current Car Folder");
    name->setValidator(new FolderNameFilter(name));
    Place(Add(txt, "txt", txt::kNewName, page, static_cast<QWidget*>(name)), 120, 3555, 4260, 330);

    Place(Add(lbl, "lbl", lbl::kSourceHeading, page,
              Caption(page, "Folder That is to Become GPL Car Folder")),
          4620, 120, 4260, 255);
    AddFolderPicker(dir::kSourceFolder, page, 4620, 420, 4260, 2340, "Source drive",
                    "Source folder");
    Place(Add(opt, "opt", opt::kMove, page, new QRadioButton("Move", page)), 4620, 3270, 1200, 285);
    Place(Add(opt, "opt", opt::kCopy, page, new QRadioButton("Copy", page)), 5940, 3270, 1200, 285);
    opt(opt::kCopy)->setChecked(true);
    Place(Add(chk, "chk", chk::kDeleteCurrentCarFolder, page,
              new QCheckBox("DELETE CURRENT CAR FOLDER!", page)),
          4620, 3585, 4260, 285);
    lbl(lbl::kDestinationHeading)->setBuddy(dir(dir::kDestinationFolder));
    lbl(lbl::kSourceHeading)->setBuddy(dir(dir::kSourceFolder));
    lbl(lbl::kNewNameHeading)->setBuddy(txt(txt::kNewName));

    QLabel* warning =
        Add(lbl, "lbl", lbl::kDeleteWarning, page,
            Caption(page, "*** CURRENT CAR FOLDER WILL BE DELETED! ***", Qt::AlignCenter));
    SetTextColour(warning, 0x000000FF);
    Place(warning, 120, 4050, 8760, 285);
    warning->hide();
    Place(Add(cmd, "cmd", cmd::kSaveCarFolder, page, new QPushButton("Save", page)), 6720, 4500,
          2160, 375);
    BuildCarSetRows(page);
}

void frmMovrand::BuildFindAddOnsPage(QWidget* page) {
    QComboBox* categories =
        Add(cbo, "cbo", cbo::kLinkCategories, page, DropDown(page, "Link category"));
    auto* addOnsOnly =
        Add(chk, "chk", chk::kAddOnsOnly, page, new QCheckBox("Show Add-ons Only", page));
    auto* compatible = Add(chk, "chk", chk::kHalvaneCompatibleOnly, page,
                           new QCheckBox("Halvane Compatible Only", page));
    QPushButton* update =
        Add(cmd, "cmd", cmd::kUpdateUrl, page, new QPushButton("Update URL", page));
    SetTooltip(update, " Reset these Values to Original Game Defaults ");
    // The row takes the widths its texts need in the window's font: the category list as wide
    // as its longest entry, the tick boxes their captions, the button at the right edge.
    categories->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    for (const std::string& entry : links::LinkCategoryEntries(false))
        categories->addItem(Q(entry));
    const auto needs = [](QWidget* control, int design) {
        return std::max(design, dialogs::TwipsX(control->sizeHint().width() + 1));
    };
    int left = 120;
    const auto put = [&](QWidget* control, int top, int width, int height) {
        Place(control, left, top, width, height);
        left += width + 60;
    };
    put(categories, 120, needs(categories, 2640), 330);
    categories->clear();
    categories->setSizeAdjustPolicy(QComboBox::AdjustToContentsOnFirstShow);
    put(addOnsOnly, 150, needs(addOnsOnly, 0), 285);
    put(compatible, 150, needs(compatible, 0), 285);
    const int updateWidth = needs(update, 1140);
    Place(update, std::max(left, 8880 - updateWidth), 98, updateWidth, 375);
    // The browser's engine is made when it loads its first page.
    QFrame* browser =
        Add(web, "web", web::kBrowser, page, static_cast<QFrame*>(new links::BrowserControl(page)));
    SetSpokenName(browser, "Browser");
    browser->setFrameShape(QFrame::StyledPanel);
    Place(browser, 120, 600, 8760, 6120);
}

void frmMovrand::BuildGplDirectoryPage(QWidget* page) {
    QFrame* explanation =
        Add(fra, "fra", fra::kExplanation, page, Panel(page, QFrame::StyledPanel));
    SetSpokenName(explanation, "Explanation");
    Place(explanation, 120, 120, 8760, 735);
    Place(Add(lbl, "lbl", lbl::kExplanation, explanation,
              Caption(explanation,
                      "Use this Page to Point Movrand at an alternative GPL Installation",
                      Qt::AlignCenter)),
          120, 225, 8520, 285);
    Place(Add(lbl, "lbl", lbl::kCurrentInstallationHeading, page,
              Caption(page, "Current GPL Installation Used by Movrand")),
          120, 1050, 8760, 255);
    QLabel* current = Add(lbl, "lbl", lbl::kCurrentInstallation, page, Caption(page, ""));
    current->setFrameShape(QFrame::StyledPanel);
    current->setFrameShadow(QFrame::Sunken);
    Place(current, 120, 1335, 8760, 330);
    // The prefix is part of the installation: the same Windows path names other files in
    // another prefix.
    Place(Add(lbl, "lbl", lbl::kCurrentPrefix, page, Caption(page, "")), 120, 1665, 8760, 225);
    Place(Add(lbl, "lbl", lbl::kAlternateInstallationHeading, page,
              Caption(page, "Alternate GPL Installation to be Used by Movrand")),
          120, 1905, 8760, 255);
    AddFolderPicker(dir::kAlternateInstallation, page, 120, 2205, 4260, 2940,
                    "Alternate installation drive", "Alternate installation folder");
    Place(
        Add(chk, "chk", chk::kShowHiddenFolders, page, new QCheckBox("Show hidden folders", page)),
        4620, 2595, 4260, 285);
    Place(Add(cmd, "cmd", cmd::kSaveGplDirectory, page, new QPushButton("Save", page)), 4620, 5160,
          2160, 375);
    lbl(lbl::kAlternateInstallationHeading)->setBuddy(dir(dir::kAlternateInstallation));
}

}  // namespace movrand::mainwindow
