// SPDX-License-Identifier: GPL-3.0-or-later
#include <archive.h>
#include <archive_entry.h>
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <ctime>
#include <fstream>
#include <random>
#include <set>

#include "DemoInstallation.h"
#include "FaultSweep.h"
#include "TempDrive.h"
#include "archives/UnpackArchive.h"
#include "platform/RuntimeError.h"

namespace movrand::test {
namespace {

namespace fs = std::filesystem;

constexpr unsigned kHardLink = 1;

// An entry a test archive holds: a file with these bytes, or (by its kind) a folder, link,
// device or pipe.
struct Item {
    std::string Name;
    std::string Data = "";
    unsigned Kind = AE_IFREG;
};

// Writes an archive with libarchive's writer: format "zip", "7zip", "pax"; filter "gzip",
// "bzip2", "xz" or ""; options as libarchive takes them ("zip:zip64", "zip:encryption=zipcrypt").
void WriteArchive(const fs::path& path, const std::string& format, const std::string& filter,
                  const std::vector<Item>& items, const std::string& options = "") {
    archive* a = archive_write_new();
    archive_write_set_format_by_name(a, format.c_str());
    if (!filter.empty()) archive_write_add_filter_by_name(a, filter.c_str());
    if (!options.empty()) archive_write_set_options(a, options.c_str());
    archive_write_set_passphrase(a, "secret");
    ASSERT_EQ(archive_write_open_filename(a, path.c_str()), ARCHIVE_OK) << archive_error_string(a);
    for (const Item& item : items) {
        archive_entry* e = archive_entry_new();
        archive_entry_set_pathname(e, item.Name.c_str());
        archive_entry_set_filetype(e, item.Kind == kHardLink ? AE_IFREG : item.Kind);
        archive_entry_set_perm(e, 0644);
        if (item.Kind == AE_IFLNK) archive_entry_set_symlink(e, item.Data.c_str());
        if (item.Kind == AE_IFREG)
            archive_entry_set_size(e, static_cast<la_int64_t>(item.Data.size()));
        if (item.Kind == kHardLink) archive_entry_set_hardlink(e, item.Data.c_str());
        archive_write_header(a, e);
        if (item.Kind == AE_IFREG) archive_write_data(a, item.Data.data(), item.Data.size());
        archive_entry_free(e);
    }
    archive_write_close(a);
    archive_write_free(a);
}

std::string Bytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

// Every file under a folder: relative path (with "/") to its bytes; folders end with "/".
std::map<std::string, std::string> Tree(const fs::path& folder) {
    std::map<std::string, std::string> tree;
    for (const auto& item : fs::recursive_directory_iterator(folder)) {
        const std::string name = fs::relative(item.path(), folder).generic_string();
        if (item.is_directory())
            tree[name + "/"] = "";
        else
            tree[name] = Bytes(item.path());
    }
    return tree;
}

const std::string kMegabyteOfZeros(1 << 20, '\0');

// A file 100,000 folders deep.
const std::string kDeepName = [] {
    std::string name;
    for (int i = 0; i < 100000; ++i) name += "a/";
    return name + "x";
}();

// Many small files, as real add-ons hold, that pack about 16 times (in a .tar.xz).
const std::vector<Item> kSmallFiles = [] {
    std::vector<Item> items;
    std::mt19937 random(37);
    for (int i = 0; i < 300; ++i) {
        items.push_back({"f" + std::to_string(i), std::string(400, ' ')});
        for (int k = 0; k < 6; ++k) items.back().Data[random() % 400] = static_cast<char>(random());
    }
    return items;
}();

struct Row {
    std::string Name;  // the archive's file name
    std::string Format, Filter;
    std::vector<Item> Items;
    std::string Options;  // libarchive's writer options, or the fixture's file name
    std::map<std::string, std::string> Expected;  // the new folder's tree; empty: refused
    std::string Refusal;                          // a part of the refusal's text
};

Row Ok(std::string name, std::string format, std::string filter, std::vector<Item> items,
       std::string options, std::map<std::string, std::string> tree) {
    return {name, format, filter, items, options, tree, ""};
}
Row No(std::string name, std::string format, std::string filter, std::vector<Item> items,
       std::string options, std::string refusal) {
    return {name, format, filter, items, options, {}, refusal};
}

class UnpackArchiveTest : public ::testing::TestWithParam<Row> {};

TEST_P(UnpackArchiveTest, MakesTheFolderOrRefusesWithNothingWritten) {
    const Row& row = GetParam();
    TempDrive drive(false);
    fs::create_directories(drive.Native("C:\\downloads"));
    const fs::path archive = drive.Native("C:\\downloads") / row.Name;
    if (row.Format == "fixture")
        fs::copy_file(fs::path(MOVRAND_SOURCE_DIR "/tests/archives/fixtures") / row.Options,
                      archive);
    else
        WriteArchive(archive, row.Format, row.Filter, row.Items, row.Options);
    if (archive.extension() == ".exe") {  // a self-extractor: a program with the .zip after it
        const std::string zip = Bytes(archive);
        std::ofstream(archive, std::ios::binary) << "MZ" << std::string(4000, '\x90') << zip;
    }
    const std::string archiveBytes = Bytes(archive);
    const std::clock_t started = std::clock();
    const archives::UnpackResult result =
        archives::UnpackArchive(drive.Pv.Env, drive.Ui, "C:\\downloads\\" + row.Name);
    // Lying headers and endless paths took 95 s and 29 s (and 2 GB) before they were refused.
    EXPECT_LT(std::clock() - started, 2 * CLOCKS_PER_SEC);
    EXPECT_LT(result.Refusal.size(), 600u);
    EXPECT_EQ(Bytes(archive), archiveBytes);
    if (row.Expected.empty()) {
        EXPECT_FALSE(result.Unpacked);
        EXPECT_NE(result.Refusal.find(row.Refusal), std::string::npos) << result.Refusal;
        EXPECT_NE(result.Refusal.find("\"" + row.Name + "\""), std::string::npos);
        EXPECT_EQ(Tree(drive.Native("C:\\downloads")).size(), 1u) << "something was written";
        return;
    }
    ASSERT_TRUE(result.Unpacked) << result.Refusal;
    EXPECT_EQ(result.Folder, "C:\\downloads\\pack");
    if (row.Expected.begin()->first == "*")
        EXPECT_EQ(Tree(drive.Native("C:\\downloads\\pack")).size(), row.Items.size());
    else
        EXPECT_EQ(Tree(drive.Native("C:\\downloads\\pack")), row.Expected);
}

const std::vector<Item> kAddOn = {{"zorvexcar.zorvex", "[header]\r\n"}, {"Red/a.3do", "car"}};
const std::map<std::string, std::string> kAddOnTree = {
    {"zorvexcar.zorvex", "[header]\r\n"}, {"Red/", ""}, {"Red/a.3do", "car"}};

INSTANTIATE_TEST_SUITE_P(
    Archives, UnpackArchiveTest,
    ::testing::Values(
        Ok("pack.zip", "zip", "", kAddOn, "", kAddOnTree),
        Ok("pack.zip", "zip", "", kAddOn, "zip:zip64", kAddOnTree),
        Ok("pack.exe", "zip", "", kAddOn, "", kAddOnTree),
        Ok("pack.7z", "7zip", "", kAddOn, "", kAddOnTree),
        Ok("pack.tar", "pax", "", kAddOn, "", kAddOnTree),
        Ok("pack.tar.gz", "pax", "gzip", kAddOn, "", kAddOnTree),
        Ok("pack.tar.bz2", "pax", "bzip2", kAddOn, "", kAddOnTree),
        Ok("pack.tar.xz", "pax", "xz", kAddOn, "", kAddOnTree),
        // One top folder becomes the new folder itself; "./" parts name nothing.
        Ok("pack.zip", "zip", "",
           {{"Ferrari/", "", AE_IFDIR},
            {"./Ferrari/zorvexcar.zorvex", "[header]\r\n"},
            {"Ferrari\\Red\\a.3do", "car"}},
           "", kAddOnTree),
        Ok("pack.zip", "fixture", "", {}, "cp437.zip", {{"Ölwanne Ç.txt", "cp437\n"}}),
        Ok("pack.zip", "fixture", "", {}, "bzip2.zip", {{"bz.txt", "bzip2\n"}}),
        Ok("pack.zip", "fixture", "", {}, "lzma.zip", {{"lz.txt", "lzma\n"}}),
        Ok("pack.rar", "fixture", "", {}, "rar4.rar", {{"rar4.txt", "rar 4\n"}}),
        Ok("pack.rar", "fixture", "", {}, "rar5.rar", {{"rar5.txt", "rar 5\n"}}),
        No("evil.zip", "zip", "", {{"ok.txt", "x"}, {"../evil.txt", "x"}}, "", "\"../evil.txt\""),
        No("evil.zip", "zip", "", {{"..\\evil.txt", "x"}}, "", "outside the folder"),
        No("evil.zip", "zip", "", {{"a/../../evil.txt", "x"}}, "", "outside the folder"),
        No("evil.tar", "pax", "", {{"/etc/evil", "x"}}, "", "outside the folder"),
        No("evil.zip", "zip", "", {{"C:\\evil.txt", "x"}}, "", "outside the folder"),
        No("link.tar", "pax", "", {{"up", "/etc", AE_IFLNK}}, "", "\"up\" is a link"),
        No("link.tar", "pax", "", {{"a", "x"}, {"b", "a", kHardLink}}, "", "\"b\" is a link"),
        No("fifo.tar", "pax", "", {{"pipe", "", AE_IFIFO}}, "", "a device or a pipe"),
        No("dev.tar", "pax", "", {{"tty", "", AE_IFCHR}}, "", "a device or a pipe"),
        No("names.zip", "zip", "", {{"a<b.txt", "x"}}, "", "Windows cannot hold"),
        No("names.zip", "zip", "", {{"sub/CON.txt", "x"}}, "", "\"sub/CON.txt\""),
        No("names.zip", "zip", "", {{"dot./a", "x"}}, "", "Windows cannot hold"),
        No("names.zip", "zip", "", {{"blank ", "x"}}, "", "Windows cannot hold"),
        No("names.zip", "zip", "", {{"tab\there", "x"}}, "", "Windows cannot hold"),
        // Device names as Windows takes them: blanks before the extension, the superscript
        // digits, 0, any letter case.
        No("names.zip", "zip", "", {{"CON .txt", "x"}}, "", "Windows cannot hold"),
        No("names.tar", "pax", "", {{"COM\u00b9.txt", "x"}}, "", "Windows cannot hold"),
        No("names.tar", "pax", "", {{"a/lpt\u00b3", "x"}}, "", "Windows cannot hold"),
        No("names.zip", "zip", "", {{"com0.txt", "x"}}, "", "Windows cannot hold"),
        No("names.zip", "zip", "", {{"Nul  ..dat", "x"}}, "", "Windows cannot hold"),
        Ok("pack.tar", "pax", "", {{"CONSOLE.txt", "x"}, {"COM10", "y"}, {"LPT\u00b9x", "z"}}, "",
           {{"CONSOLE.txt", "x"}, {"COM10", "y"}, {"LPT\u00b9x", "z"}}),
        // Flagged as UTF-8, stored in Latin-1: refused by its bytes, not left out.
        No("bad.zip", "fixture", "", {}, "badutf8.zip", "\"caf\\xE9.txt\" has a name whose bytes"),
        // The same after two good entries, also behind a self-extractor's program.
        No("bad.zip", "fixture", "", {}, "badutf8later.zip", "\"caf\\xE9.txt\" has a name"),
        No("bad.exe", "fixture", "", {}, "badutf8later.zip", "\"caf\\xE9.txt\" has a name"),
        No("bad.tar", "pax", "", {{"ok.txt", "x"}, {"caf\xE9.txt", "x"}}, "", "\"caf\\xE9.txt\""),
        // A path Windows programs cannot open below the new folder (its top folder left out).
        Ok("pack.zip", "zip", "", {{"Top/" + std::string(255, 'n'), "x"}, {"Top/b/c", "y"}}, "",
           {{std::string(255, 'n'), "x"}, {"b/", ""}, {"b/c", "y"}}),
        No("long.zip", "zip", "",
           {{"a", "x"}, {std::string(200, 'n') + "/" + std::string(59, 'm'), "x"}}, "",
           "cannot open"),
        No("long.zip", "zip", "", {{std::string(256, 'n'), "x"}}, "", "cannot open"),
        No("case.zip", "zip", "", {{"Read.txt", "x"}, {"READ.TXT", "y"}}, "", "letter case"),
        No("case.zip", "zip", "", {{"Car/a", "x"}, {"car/b", "y"}}, "", "\"car/b\""),
        No("case.zip", "zip", "", {{"a", "x"}, {"a/b", "y"}}, "", "\"a/b\""),
        No("case.tar", "pax", "", {{"a", "x"}, {"a", "y"}}, "", "another entry"),
        No("lock.zip", "zip", "", {{"secret.txt", "x"}}, "zip:encryption=zipcrypt",
           "password-protected archives are not supported"),
        No("crc.zip", "fixture", "", {}, "crc.zip", "damaged or incomplete"),
        No("junk.zip", "fixture", "", {}, "junk.zip", "not an archive"),
        No("bomb.zip", "zip", "", {{"zeros", kMegabyteOfZeros}}, "", "100 times the archive"),
        // The header says 100 bytes; the data says a megabyte.
        No("liar.zip", "fixture", "", {}, "liar.zip", "100 times the archive"),
        // Refused at the header, before the data after it is decompressed.
        No("liar.tar.gz", "fixture", "", {}, "liar30g.tar.gz", "archive (at the entry \"zeros\")"),
        No("deep.tar", "pax", "", {{kDeepName, "x"}}, "",
           "a path that Windows programs cannot open"),
        // Each file counts its bytes and a little for its name, not a disk block.
        Ok("pack.tar.xz", "pax", "xz", kSmallFiles, "", {{"*", ""}})),
    [](const auto& info) { return std::to_string(info.index) + "_" + info.param.Format; });

// Every file-system step of an unpack failed in turn leaves nothing but the archive; a name
// that is taken gets " (2)".
// A folder a killed run was filling is removed by the next unpack into its folder; one that a
// running unpack holds, or that changed within the minute, is left, and so is a link.
TEST(UnpackArchiveLeftovers, AbandonedFoldersGoAndOthersStay) {
    TempDrive drive;
    const fs::path downloads = drive.Native("C:\\downloads");
    for (const char* name : {"pack.movrand-unpack", "held.movrand-unpack", "new.movrand-unpack"})
        demo::WriteFile(downloads / name / "Red" / "a", "a");
    const auto anHourAgo = fs::file_time_type::clock::now() - std::chrono::hours(1);
    for (const char* name : {"pack.movrand-unpack", "held.movrand-unpack"})
        fs::last_write_time(downloads / name, anHourAgo);
    fs::create_directory_symlink(downloads / "held.movrand-unpack", downloads / "x.movrand-unpack");
    const int held = ::open((downloads / "held.movrand-unpack").c_str(), O_RDONLY | O_DIRECTORY);
    ASSERT_EQ(::flock(held, LOCK_EX | LOCK_NB), 0);
    WriteArchive(downloads / "pack.zip", "zip", "", {{"zorvexcar.zorvex", "m"}});

    const auto result = archives::UnpackArchive(drive.Pv.Env, drive.Ui, "C:\\downloads\\pack.zip");
    ::close(held);
    EXPECT_EQ(result.Folder, "C:\\downloads\\pack");
    std::set<std::string> names;
    for (const auto& item : fs::directory_iterator(downloads))
        names.insert(item.path().filename().string());
    EXPECT_EQ(names, (std::set<std::string>{"pack", "pack.zip", "held.movrand-unpack",
                                            "new.movrand-unpack", "x.movrand-unpack"}));
}

TEST(UnpackArchiveFaults, EveryFailedStepLeavesNothing) {
    FaultSweep sweep;
    sweep.Prepare = [](TempDrive& drive) {
        fs::create_directories(drive.Native("C:\\downloads\\pack"));
        WriteArchive(
            drive.Native("C:\\downloads") / "pack.zip", "zip", "",
            {{"zorvexcar.zorvex", "m"}, {"Red/", "", AE_IFDIR}, {"Red/a", "a"}, {"Red/b/c", ""}});
    };
    sweep.Operation = [](TempDrive& drive) {
        try {
            const auto result =
                archives::UnpackArchive(drive.Pv.Env, drive.Ui, "C:\\downloads\\pack.zip");
            EXPECT_EQ(result.Folder, "C:\\downloads\\pack (2)");
            EXPECT_EQ(Tree(drive.Native(result.Folder)).size(), 5u);
        } catch (const platform::RuntimeError& error) {
            EXPECT_EQ(error.Number(), platform::kDiskFull);
        }
    };
    sweep.Check = [](TempDrive& drive, int) {
        EXPECT_EQ(
            Tree(drive.Native("C:\\downloads")),
            (std::map<std::string, std::string>{
                {"pack/", ""}, {"pack.zip", Bytes(drive.Native("C:\\downloads\\pack.zip"))}}));
    };
    EXPECT_GE(sweep.Run(), 7);
}

}  // namespace
}  // namespace movrand::test
