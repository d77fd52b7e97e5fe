// SPDX-License-Identifier: GPL-3.0-or-later
// The desktop program's command line, answered before anything else runs.
#include <gtest/gtest.h>

#include <sstream>

#include "app/InfoOptions.h"

namespace movrand {
namespace {

TEST(DesktopArguments, HelpAndVersionAnswerAndAnythingElseIsRefusedWithTheUsage) {
    const std::string usage = kDesktopUsage;
    const struct {
        std::vector<std::string> Args;
        std::optional<int> Status;
        std::string Out, Err;
    } rows[] = {
        {{}, std::nullopt, "", ""},
        {{"-h"}, 0, usage, ""},
        {{"--help"}, 0, usage, ""},
        {{"--version"}, 0, VersionText("movrand"), ""},
        {{"--foo"}, 2, "", "movrand: unknown argument --foo\n\n" + usage},
        {{"-platform", "xcb"}, 2, "", "movrand: unknown argument -platform\n\n" + usage},
        {{"--help", "x"}, 2, "", "movrand: unknown argument x\n\n" + usage},
        {{"C:\\sierra\\gpl"}, 2, "", "movrand: unknown argument C:\\sierra\\gpl\n\n" + usage},
    };
    for (const auto& row : rows) {
        std::ostringstream out, err;
        EXPECT_EQ(AnswerDesktopArguments(row.Args, out, err), row.Status)
            << ::testing::PrintToString(row.Args);
        EXPECT_EQ(out.str(), row.Out);
        EXPECT_EQ(err.str(), row.Err);
    }
}

}  // namespace
}  // namespace movrand
