#include <gtest/gtest.h>

#include "app/cli/CliArguments.h"
#include "app/cli/ConsoleUi.h"

namespace movrand::test {
namespace {

using cli::ParseArguments;

// The global options and the other commands' operands are used by the runs of the built
// program; swap's options are checked here.
TEST(CliArguments, SwapOptions) {
    auto parsed = ParseArguments({"swap", "S", "--rename", "D", "old_67", "--move"});
    ASSERT_TRUE(parsed.Request) << parsed.Error;
    EXPECT_EQ(parsed.Request->Operands, std::vector<std::string>{"S"});
    EXPECT_FALSE(parsed.Request->Swap.DeleteCurrent);
    EXPECT_EQ(parsed.Request->Swap.Destination, "D");
    EXPECT_EQ(parsed.Request->Swap.NewName, "old_67");
    EXPECT_TRUE(parsed.Request->Swap.Move);

    parsed = ParseArguments({"swap", "--delete", "S"});
    ASSERT_TRUE(parsed.Request) << parsed.Error;
    EXPECT_TRUE(parsed.Request->Swap.DeleteCurrent);
    EXPECT_FALSE(parsed.Request->Swap.Move);  // Copy is the default

    parsed = ParseArguments({"swap", "S", "--rename", "D", ""});  // the operation asks for a name
    EXPECT_TRUE(parsed.Request) << parsed.Error;
}

TEST(CliArguments, WrongUsageIsNamed) {
    const std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
        {{}, "no command given"},
        {{"--yes"}, "no command given"},
        {{"frobnicate"}, "unknown command frobnicate"},
        {{"--gpl"}, "--gpl needs a value"},
        {{"--colour", "drivers"}, "unknown option --colour"},
        {{"drivers", "--yes"}, "unknown option --yes for drivers"},
        {{"check"}, "check takes 1 argument"},
        {{"preview", "A", "B", "C"}, "preview takes 2 arguments"},
        {{"install", "A", "B", "--excl-generic"}, "unknown option --excl-generic for install"},
        {{"swap", "S"}, "swap needs either --delete or --rename DEST NAME"},
        {{"swap", "S", "--delete", "--rename", "D", "N"},
         "swap needs either --delete or --rename DEST NAME"},
        {{"swap", "S", "--delete", "--move", "--copy"}, "swap takes --move or --copy, not both"},
        {{"swap", "S", "--rename", "D"}, "--rename needs DEST and NAME"},
        {{"swap", "S", "--rename", "D", "old-67"}, "NAME may hold only letters, digits and \"_\""},
        {{"car-number", "0", "5"}, "N must be a driver number from 1 to 19"},
        {{"car-number", "20", "5"}, "N must be a driver number from 1 to 19"},
        {{"car-number", "x", "5"}, "N must be a driver number from 1 to 19"},
    };
    for (const auto& [args, error] : cases) {
        const auto parsed = ParseArguments(args);
        EXPECT_FALSE(parsed.Request) << error;
        EXPECT_EQ(parsed.Error, error);
    }
    EXPECT_TRUE(ParseArguments({"car-number", "19", "07"}).Request);
    EXPECT_TRUE(ParseArguments({"--yes", "--help"}).Request->Help);
}

TEST(CliArguments, LineBreaksAreWrittenAsBackslashN) {
    EXPECT_EQ(cli::OneLine("a\r\nb\r\n\r\nc"), "a\\nb\\n\\nc");
    EXPECT_EQ(cli::OneLine("a\nb\rc"), "a\\nb\\nc");
    EXPECT_EQ(cli::OneLine("plain"), "plain");
}

}  // namespace
}  // namespace movrand::test
