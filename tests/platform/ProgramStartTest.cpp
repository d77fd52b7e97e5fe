#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>

#include "TempDrive.h"
#include "platform/ProgramStart.h"

namespace movrand::test {
namespace {

namespace fs = std::filesystem;

// A Windows program counts as started only when Wine takes it: no Wine, or a Wine that ends at
// once with a failure (a program it cannot find or load), is no start.
TEST(StartWindowsProgram, AToolThatCannotBeStartedIsNotReportedStarted) {
    const fs::path folder = MakeTempFolder("movrand-wine-");
    const std::string path = std::getenv("PATH") ? std::getenv("PATH") : "";
    ::setenv("PATH", folder.c_str(), 1);
    const struct {
        const char* script;
        bool started;
    } rows[] = {{nullptr, false},
                {"#!/bin/sh\nexit 53\n", false},
                {"#!/bin/sh\nkill -9 $$\n", false},
                {"#!/bin/sh\nexit 0\n", true},
                {"#!/bin/sh\nexec /bin/sleep 3\n", true}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.script ? row.script : "no wine");
        if (row.script) {
            std::ofstream(folder / "wine") << row.script;
            fs::permissions(folder / "wine", fs::perms::owner_all);
        }
        EXPECT_EQ(platform::StartWindowsProgram("C:\\Windows\\msinfo32.exe", folder,
                                                std::chrono::milliseconds(400)),
                  row.started);
    }
    ::setenv("PATH", path.c_str(), 1);
    RemoveTree(folder);
}

}  // namespace
}  // namespace movrand::test
