// SPDX-License-Identifier: GPL-3.0-or-later
#include "DemoInstallation.h"

#include "DemoAddOns.h"

#include <fstream>
#include <stdexcept>
#include <vector>

namespace movrand::demo {
namespace fs = std::filesystem;

namespace {

struct DemoDriver {
    const char* First;
    const char* Last;
    int Nationality;
    int Team;
    const char* CarNumber;
};

// The 1967 field as the demo knows it.
const std::vector<DemoDriver> kDrivers = {
    {"Jack", "Brabham", 1, 0, "1"},          {"Denny", "Hulme", 20, 0, "2"},
    {"Jackie", "Stewart", 12, 1, "3"},       {"Mike", "Spence", 12, 1, "4"},
    {"Jochen", "Rindt", 2, 2, "5"},          {"Pedro", "Rodriguez", 16, 2, "6"},
    {"Dan", "Gurney", 26, 3, "07"},          {"Bruce", "McLaren", 20, 3, "8"},
    {"Chris", "Amon", 20, 4, "9"},           {"Lorenzo", "Bandini", 14, 4, "10"},
    {"Ludovico", "Scarfiotti", 14, 4, "11"}, {"Jim", "Clark", 12, 5, "12"},
    {"Graham", "Hill", 12, 5, "14"},         {"John", "Surtees", 12, 6, "15"},
    {"Jo", "Siffert", 25, 2, "16"},          {"Jo", "Bonnier", 24, 1, "17"},
    {"Guy", "Ligier", 10, 2, "18"},          {"Jacky", "Ickx", 3, 3, "19"},
    {"Chris", "Irwin", 12, 1, "20"},
};

const char* kFolders[] = {"brabham", "brm", "coventry", "eagle", "ferrari", "LOTUS", "MURASAMA"};
const char* kPrefixes[] = {"bra", "brm", "cov", "eag", "fer", "lot", "mur"};

}  // namespace

void WriteFile(const fs::path& file, const std::string& bytes) {
    fs::create_directories(file.parent_path());
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out << bytes;
    if (!out) throw std::runtime_error("cannot write " + file.string());
}

std::string SampleRoster() {
    std::string text = "; GPL driver roster\r\n[ general ]\r\nversion = 1\r\n\r\n";
    for (std::size_t i = 0; i < kDrivers.size(); ++i) {
        const DemoDriver& d = kDrivers[i];
        text += "[ driver_" + std::to_string(i + 1) + " ]\r\n";
        text += "first_name = " + std::string(d.First) + "\r\n";
        text += "last_name = " + std::string(d.Last) + "\t; surname\r\n";
        text += "nationality = " + std::to_string(d.Nationality) + "\r\n";
        text += "team_number = " + std::to_string(d.Team) + "\r\n";
        text += "car_number = " + std::string(d.CarNumber) + "\r\n";
        text += "skill = " + std::to_string(80 + static_cast<int>(i)) + "\r\n";
        text += "aggression\t= 0.5\r\n\r\n";
    }
    return text;
}

void MakeGplInstallation(const fs::path& gpl) {
    WriteFile(gpl / "gpl.exe", "placeholder for the game's program\r\n");
    WriteFile(gpl / "gpl_ai.ini", "[ ai ]\r\nlevel = 1\r\n");
    WriteFile(gpl / "tracks" / "monza" / "monza.trk", "track\r\n");
    WriteFile(gpl / "driver.ini", SampleRoster());
    for (int team = 0; team < 7; ++team) {
        const fs::path folder = gpl / "cars" / "cars67" / kFolders[team];
        std::string lower = kFolders[team];
        for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        WriteFile(folder / (lower + ".dat"), "team data of " + lower + "\r\n");
        WriteFile(folder / (std::string(kPrefixes[team]) + ".3do"),
                  "generic model " + lower + "\r\n");
        for (const DemoDriver& d : kDrivers) {
            if (d.Team != team) continue;
            std::string number = d.CarNumber;
            const std::string base = kPrefixes[team] + number;
            WriteFile(folder / (base + ".3do"), "model of car " + number + "\r\n");
            WriteFile(folder / (base + ".mip"), "texture of car " + number + "\r\n");
        }
    }
}

void MakeDemoPrefix(const fs::path& prefix) {
    const fs::path driveC = prefix / "drive_c";
    fs::create_directories(prefix / "dosdevices");
    fs::create_directories(driveC);
    std::error_code ec;
    fs::remove(prefix / "dosdevices" / "c:", ec);
    fs::create_directory_symlink("../drive_c", prefix / "dosdevices" / "c:");
    fs::remove(prefix / "dosdevices" / "z:", ec);
    fs::create_directory_symlink("/", prefix / "dosdevices" / "z:");
    // Wine's machine registry: with it the folder is a prefix as every prefix manager makes one.
    if (!fs::exists(prefix / "system.reg"))
        WriteFile(prefix / "system.reg",
                  "WINE REGISTRY Version 2\n;; All keys relative to "
                  "\\\\Machine\n\n#arch=win32\n");
    MakeGplInstallation(driveC / "sierra" / "gpl");
    // A stored complete car folder beside the installation, ready to be swapped in.
    const fs::path stored = driveC / "carfolders" / "cars67_classic";
    for (int team = 0; team < 7; ++team) {
        std::string lower = kFolders[team];
        for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        WriteFile(stored / lower / (lower + ".dat"), "classic team data of " + lower + "\r\n");
        WriteFile(stored / lower / (std::string(kPrefixes[team]) + ".3do"), "classic model\r\n");
    }
    MakeDemoAddOns(driveC / "addons");
}

}  // namespace movrand::demo
