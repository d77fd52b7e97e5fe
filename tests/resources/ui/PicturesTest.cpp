// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QIcon>
#include <QImage>
#include <QList>
#include <QSize>
#include <QStyle>
#include <fstream>
#include <sstream>

#include "TempDrive.h"
#include "dialogs/ui/FolderListBox.h"
#include "resources/ui/Pictures.h"

namespace movrand::test {
namespace {

bool ImagePluginLoaded() {
    std::ifstream maps("/proc/self/maps");
    std::stringstream text;
    text << maps.rdbuf();
    return text.str().find("/imageformats/") != std::string::npos;
}

QImage At16(const QIcon& icon) {
    return icon.pixmap(16).toImage().convertToFormat(QImage::Format_ARGB32);
}

// The main window's icon and the folder list's pictures are read without asking every image
// format plugin about them (that loaded them all, and the JPEG library, at each start); the
// folder pictures are still the style's own.
TEST(Pictures, TheIconAndFolderPicturesComeWithoutLoadingImagePlugins) {
    if (ImagePluginLoaded()) GTEST_SKIP() << "an earlier test in this run loaded an image plugin";
    const QIcon icon = resources::LoadResIcon(101);
    EXPECT_EQ(icon.availableSizes(), (QList<QSize>{QSize(32, 32), QSize(16, 16)}));
    TempDrive drive;
    dialogs::FolderListBox dir(drive.Pv.Env.Drives);
    dir.SetPath("C:\\");
    ASSERT_GE(dir.count(), 2);  // the root, open, and its folders
    const QImage open = At16(dir.item(0)->icon()), closed = At16(dir.item(1)->icon());
    EXPECT_FALSE(ImagePluginLoaded());
    EXPECT_EQ(open, At16(dir.style()->standardIcon(QStyle::SP_DirOpenIcon)));
    EXPECT_EQ(closed, At16(dir.style()->standardIcon(QStyle::SP_DirClosedIcon)));
    EXPECT_NE(open, closed);
}

}  // namespace
}  // namespace movrand::test
