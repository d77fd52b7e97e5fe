// SPDX-License-Identifier: GPL-3.0-or-later
// A car set file comes from strangers: every line that could lead outside the car folder, name a
// file twice or overload the program is refused, naming the line.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "carsets/CarSetFile.h"

namespace movrand::carsets {
namespace {

const std::string kHash = "0123456789abcdef0123456789abcdef";

// A set file of these file lines, with the code they give.
std::string SetText(const std::vector<std::string>& lines) {
    std::string text = std::string(kCarSetHeader) + "\nname League 1967\n";
    for (const std::string& line : lines) text += line + "\n";
    // The code of the lines as they stand, whatever they say (a forger computes it too).
    std::string body;
    for (const std::string& line : lines) body += line + "\n";
    std::vector<CarSetFile> files;
    for (const std::string& line : lines) {
        const std::size_t a = line.find('\t'), b = line.rfind('\t');
        if (a == std::string::npos || a == b) continue;
        files.push_back(
            {line.substr(0, a),
             std::stoull(line.substr(a + 1, b - a - 1).empty() ? "0"
                                                               : line.substr(a + 1, b - a - 1)),
             line.substr(b + 1)});
    }
    SortSetFiles(files);
    return text + "code " + SetCode(files) + "\n";
}

std::string Line(const std::string& path, const std::string& size = "10") {
    return path + "\t" + size + "\t" + kHash;
}

struct Hostile {
    const char* Name;
    std::string Text;
    const char* Told;  // part of the refusal, with the line
};

TEST(CarSetFile, HostileSetsAreRefusedNamingTheLine) {
    const std::vector<Hostile> rows = {
        {"Parent", SetText({Line("ferrari\\..\\..\\driver.ini")}), "line 3 names no file inside"},
        {"Dots", SetText({Line("ferrari\\.\\fer.3do")}), "line 3 names no file inside"},
        {"Drive", SetText({Line("C:\\windows\\win.ini")}),
         "line 3 names no file inside a car folder: its path holds a drive letter"},
        {"Absolute", SetText({Line("\\etc\\passwd")}),
         "line 3 names no file inside a car folder: its path holds an absolute"},
        {"Unc", SetText({Line("\\\\server\\share\\x")}), "an absolute or network path"},
        {"Slash", SetText({Line("ferrari/../../x")}), "the character /"},
        {"Device", SetText({Line("ferrari\\CON.3do")}), "keeps for a device"},
        {"Com", SetText({Line("ferrari\\com1")}), "keeps for a device"},
        {"TrailingDot", SetText({Line("ferrari\\fer.")}), "ends in a blank or a dot"},
        {"Control", SetText({Line("ferrari\\f\x01r")}), "a control character"},
        {"NotUtf8", SetText({Line("ferrari\\f\xff.3do")}), "not UTF-8"},
        {"Empty", SetText({Line("ferrari\\\\fer.3do")}), "an empty name"},
        {"Record", SetText({Line("ferrari\\zorvexacc_Red Wheels.zorvex")}),
         "line 3 names one of Movrand's own records"},
        {"Twice", SetText({Line("ferrari\\fer.3do"), Line("FERRARI\\Fer.3DO")}),
         "line 4 names the file of line 3 again"},
        {"Long", SetText({Line("ferrari\\" + std::string(1100, 'a'))}),
         "line 3 is longer than 1024 bytes"},
        {"LongName", SetText({Line("ferrari\\" + std::string(300, 'a'))}), "longer than 255 bytes"},
        {"Huge", SetText({Line("ferrari\\fer.3do", "2000000000")}),
         "line 3 names a file of 2000000000 bytes, larger"},
        {"NoSize", SetText({Line("ferrari\\fer.3do", "-1")}), "line 3 gives no size"},
        {"BadHash",
         std::string(kCarSetHeader) + "\nname x\nferrari\\a\t1\tXYZ\ncode 0000-0000-0000\n",
         "line 3 gives no fingerprint"},
        {"NoTabs", std::string(kCarSetHeader) + "\nname x\nferrari a 1\ncode 0000-0000-0000\n",
         "line 3 is not a file's path"},
        {"Forged",
         std::string(kCarSetHeader) + "\nname x\n" + Line("ferrari\\a") + "\ncode 0000-0000-0000\n",
         "line 4 gives the code 0000-0000-0000"},
        {"Header", "movrand-carset 9\nname x\ncode 0000-0000-0000\n", "line 1 names a version"},
        {"NoSet", "hello\n", "line 1 is not \"movrand-carset 1\""},
        {"Nothing", "", "line 1 is not"},
        {"NoName", std::string(kCarSetHeader) + "\nnom x\ncode 0000-0000-0000\n",
         "line 2 is not the set's name"},
        {"BadName", std::string(kCarSetHeader) + "\nname a|b\ncode 0000-0000-0000\n",
         "line 2 names the set"},
        {"NoCode", std::string(kCarSetHeader) + "\nname x\n" + Line("ferrari\\a") + "\n",
         "line 3 is not the set's code"},
        // A file and a folder of one name, or a folder in two letter cases, cannot be built.
        {"FileAsFolder", SetText({Line("bra"), Line("bra.3do"), Line("BRA\\x")}),
         "line 5 takes the file of line 3 for a folder"},
        {"FolderAsFile", SetText({Line("lotus\\deep\\x"), Line("lotus\\Deep")}),
         "line 4 names as a file a folder of line 3"},
        {"TwoCases", SetText({Line("Lotus\\a"), Line("lotus.3do"), Line("lotus\\b")}),
         "line 5 spells a folder of line 3 in other letter case"},
        {"DeepCases", SetText({Line("lotus\\Deep\\a"), Line("lotus\\deep\\b")}),
         "line 4 spells a folder of line 3"},
    };
    for (const Hostile& row : rows) {
        const ParsedCarSet parsed = ParseCarSet(row.Text, "C:\\league.carset");
        EXPECT_NE(parsed.Refusal.find(row.Told), std::string::npos)
            << row.Name << ": " << parsed.Refusal;
        EXPECT_NE(parsed.Refusal.find("C:\\league.carset"), std::string::npos) << row.Name;
        EXPECT_TRUE(parsed.Set.Files.empty()) << row.Name;
    }
}

// Neighbours in the set's order that share only the start of a name are no clash.
TEST(CarSetFile, NamesThatOnlyBeginAlikeStandTogether) {
    const ParsedCarSet parsed =
        ParseCarSet(SetText({Line("bra"), Line("bra.x\\y"), Line("brab\\z"), Line("Brab2\\a"),
                             Line("brab\\Z2"), Line("lotus\\a\\b"), Line("lotus\\a.b\\c")}),
                    "x");
    EXPECT_EQ(parsed.Refusal, "");
    EXPECT_EQ(parsed.Set.Files.size(), 7u);
}

TEST(CarSetFile, AtMostTwoHundredThousandFiles) {
    std::vector<std::string> lines;
    for (std::size_t i = 0; i <= kMostSetFiles; ++i)
        lines.push_back(Line("f\\" + std::to_string(i)));
    const std::string tooMany = SetText(lines);
    EXPECT_NE(ParseCarSet(tooMany, "x").Refusal.find("line 200003 is one file too many"),
              std::string::npos);
    lines.pop_back();
    const ParsedCarSet parsed = ParseCarSet(SetText(lines), "x");
    EXPECT_EQ(parsed.Refusal, "");
    EXPECT_EQ(parsed.Set.Files.size(), kMostSetFiles);
}

// The same files give the same text and code in whatever order they are listed; the name does
// not change the code, and a text read back (CR LF and a byte order mark too) is the same set.
TEST(CarSetFile, SameFilesGiveTheSameLinesAndCode) {
    std::vector<CarSetFile> files = {{"Lotus\\lot.3do", 5, kHash},
                                     {"ferrari\\fer9.mip", 7, std::string(32, 'a')},
                                     {"ferrari\\Fer10.3do", 0, std::string(32, 'b')},
                                     {"brm\\brm.dat", 1, std::string(32, 'c')}};
    std::vector<CarSetFile> shuffled = files;
    std::shuffle(shuffled.begin(), shuffled.end(), std::mt19937(7));
    SortSetFiles(files);
    SortSetFiles(shuffled);
    const std::string text = CarSetText({"League 1967", files});
    EXPECT_EQ(CarSetText({"League 1967", shuffled}), text);
    EXPECT_EQ(text.substr(0, text.find("code")),
              "movrand-carset 1\nname League 1967\nbrm\\brm.dat\t1\t" + std::string(32, 'c') +
                  "\nferrari\\Fer10.3do\t0\t" + std::string(32, 'b') + "\nferrari\\fer9.mip\t7\t" +
                  std::string(32, 'a') + "\nLotus\\lot.3do\t5\t" + kHash + "\n");
    const std::string code = SetCode(files);
    EXPECT_EQ(code.size(), 14u);
    EXPECT_EQ(code[4], '-');
    files[0].Size = 2;
    EXPECT_NE(SetCode(files), code);

    std::string windows = "\xEF\xBB\xBF";
    for (const char c : text) windows += c == '\n' ? std::string("\r\n") : std::string(1, c);
    const ParsedCarSet parsed = ParseCarSet(windows, "x");
    EXPECT_EQ(parsed.Refusal, "");
    EXPECT_EQ(parsed.Code, code);
    EXPECT_EQ(CarSetText(parsed.Set), text);
}

}  // namespace
}  // namespace movrand::carsets
