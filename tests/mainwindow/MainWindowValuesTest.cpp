// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "TempDrive.h"
#include "platform/SettingsKeys.h"
#include "session/WindowSettings.h"

namespace movrand::test {
namespace {

// The main window's first start stores "1" (the window test sees that); after that only exactly
// "1" ticks the add-ons-only box.
TEST(MainWindowValues, AddOnsOnlyTicksOnlyForExactlyOne) {
    TempDrive drive;
    for (const char* value : {"0", "x", " 1", "1 "}) {
        drive.Pv.Env.Settings.Save(platform::kSettingsApp, platform::kMovrandSection,
                                   platform::kAddOnsOnlyKey, value);
        EXPECT_FALSE(ReadWindowSettings(drive.Pv).AddOnsOnly) << value;
        EXPECT_EQ(drive.Pv.Env.Settings.Get(platform::kSettingsApp, platform::kMovrandSection,
                                            platform::kAddOnsOnlyKey),
                  value);
    }
}

}  // namespace
}  // namespace movrand::test
