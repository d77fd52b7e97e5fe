// SPDX-License-Identifier: GPL-3.0-or-later
// The add-on folder's marker file "zorvexcar.zorvex" as add-on authors may write it, read by the
// Add mode panel and the installer's look-ups: no crash; entries numbered 1, 2, 3 ... without
// gaps; every entry found again by its description; a description file or picture only ever
// taken from inside the add-on folder.
#include <cstdint>
#include <cstdlib>
#include <filesystem>

#include "FuzzDrive.h"
#include "addons/AddOnFolder.h"
#include "folders/AddOnFolderPanel.h"
#include "platform/Text.h"

using namespace movrand;

namespace {

const char* kAddOn = "C:\\addons\\Fuzzed Pack";

// An add-on folder with a few entry folders and description files the marker may name.
void MakeAddOnFolder(const platform::FileSystem& fs) {
    const std::filesystem::path folder = fs.Native(kAddOn);
    std::filesystem::create_directories(folder / "Car");
    std::filesystem::create_directories(folder / "Red Wheels");
    std::filesystem::create_directories(fs.Native("C:\\gpl\\cars\\cars67\\ferrari"));
    fuzz::WriteNative(folder / "Car" / "fer9.3do", "model\r\n");
    fuzz::WriteNative(folder / "Red Wheels" / "zorvex.bmp", "not a picture");
    fuzz::WriteNative(folder / "zorvexferrari1.zorvex", "A car.\r\n");
    fuzz::WriteNative(folder / "zorvexferrari2.zorvex", "Wheels.\r\n");
    fuzz::WriteNative(fs.Native("C:\\secret.zorvex"), "outside the add-on folder\r\n");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    ProgramValues& pv = fuzz::FuzzValues();
    fuzz::SilentUi ui;
    platform::FileSystem fs = pv.Files();
    static const bool made = (MakeAddOnFolder(fs), true);
    (void)made;
    fuzz::WriteNative(fs.Native(MarkerPath(kAddOn)),
                      std::string(reinterpret_cast<const char*>(data), size));

    const std::vector<AddOnEntry> entries = ListAddOnEntries(pv, ui, kAddOn);
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const AddOnEntry& entry = entries[i];
        if (entry.Number != static_cast<int>(i) + 1) std::abort();
        const int found = EntryNumberOf(pv, ui, kAddOn, entry.Description);
        if (found < 1 || found > entry.Number) std::abort();
        const std::string description = DescriptionFileOf(pv, ui, kAddOn, entry.Number);
        if (!description.empty() && !fs.IsWithin(description, kAddOn)) std::abort();
        EntryKind(pv, ui, kAddOn, entry.Description);
    }
    const std::string standard = StandardFolderOf(pv, ui, kAddOn);
    if (!standard.empty() &&
        (entries.empty() ||
         standard != std::string(kAddOn) + "\\" + platform::LowerCase(entries[0].Description)))
        std::abort();
    AddOnTeam(pv, ui, kAddOn);
    const int position = RemoveModeTeamPosition(pv, ui, kAddOn);
    if (position < 0 || position > 6) std::abort();

    const AddOnFolderView view = ShowAddOnFolder(pv, ui, kAddOn, false);
    if (view.Entries.size() != entries.size()) std::abort();
    const std::string& picture = view.Preview.PicturePath;
    if (!picture.empty() && !fs.IsWithin(picture, kAddOn)) std::abort();
    return 0;
}
