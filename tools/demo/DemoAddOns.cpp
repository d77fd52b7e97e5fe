// SPDX-License-Identifier: GPL-3.0-or-later
#include "DemoAddOns.h"

#include <cctype>
#include <cmath>
#include <cstdint>

#include "DemoInstallation.h"

namespace movrand::demo {
namespace fs = std::filesystem;

namespace {

const char* kGameTeams[] = {"brabham", "brm", "coventry", "eagle", "ferrari", "lotus", "murasama"};

std::string LowerCase(std::string text) {
    for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

std::string KindKey(const std::string& description) {
    std::string key;
    for (char c : description)
        if (c != ' ') key += c;
    return key;
}

void Put16(std::string& out, unsigned value) {  // big-endian, as JPEG wants
    out += static_cast<char>((value >> 8) & 0xFF);
    out += static_cast<char>(value & 0xFF);
}

void PutLe(std::string& out, std::uint32_t value, int bytes) {  // little-endian, as BMP wants
    for (int i = 0; i < bytes; ++i) out += static_cast<char>((value >> (8 * i)) & 0xFF);
}

// Writes Huffman-coded bits with the JPEG byte stuffing.
class BitWriter {
  public:
    void Put(unsigned code, int length) {
        for (int i = length - 1; i >= 0; --i) {
            byte_ = static_cast<unsigned char>((byte_ << 1) | ((code >> i) & 1));
            if (++count_ == 8) Flush();
        }
    }
    std::string Finish() {
        while (count_ != 0) Put(1, 1);
        return out_;
    }

  private:
    void Flush() {
        out_ += static_cast<char>(byte_);
        if (byte_ == 0xFF) out_ += '\0';
        byte_ = 0;
        count_ = 0;
    }
    std::string out_;
    unsigned char byte_ = 0;
    int count_ = 0;
};

// The standard luminance DC table (categories 0 to 11).
const unsigned char kDcBits[16] = {0, 1, 5, 1, 1, 1, 1, 1, 1, 0, 0, 0, 0, 0, 0, 0};

}  // namespace

std::string SolidBmp(int width, int height, int red, int green, int blue) {
    const int rowBytes = (width * 3 + 3) / 4 * 4;
    const auto pixelBytes = static_cast<std::uint32_t>(rowBytes * height);
    std::string out = "BM";
    PutLe(out, 54 + pixelBytes, 4);
    PutLe(out, 0, 4);
    PutLe(out, 54, 4);
    PutLe(out, 40, 4);
    PutLe(out, static_cast<std::uint32_t>(width), 4);
    PutLe(out, static_cast<std::uint32_t>(height), 4);
    PutLe(out, 1, 2);
    PutLe(out, 24, 2);
    PutLe(out, 0, 4);
    PutLe(out, pixelBytes, 4);
    PutLe(out, 2835, 4);
    PutLe(out, 2835, 4);
    PutLe(out, 0, 4);
    PutLe(out, 0, 4);
    for (int y = 0; y < height; ++y) {
        std::string row;
        for (int x = 0; x < width; ++x) {
            row += static_cast<char>(blue);
            row += static_cast<char>(green);
            row += static_cast<char>(red);
        }
        row.resize(static_cast<std::size_t>(rowBytes), '\0');
        out += row;
    }
    return out;
}

std::string SolidJpeg(int width, int height, int red, int green, int blue) {
    // A flat picture has only DC coefficients: each 8 x 8 block of each component is its DC
    // difference and an end-of-block code. With a quantisation table of ones the DC value is
    // 8 x (sample - 128).
    const double y = 0.299 * red + 0.587 * green + 0.114 * blue;
    const double cb = 128 - 0.168736 * red - 0.331264 * green + 0.5 * blue;
    const double cr = 128 + 0.5 * red - 0.418688 * green - 0.081312 * blue;
    const int dc[3] = {static_cast<int>(std::lround(8 * (y - 128))),
                       static_cast<int>(std::lround(8 * (cb - 128))),
                       static_cast<int>(std::lround(8 * (cr - 128)))};

    unsigned dcCode[12];
    int dcLength[12];
    unsigned code = 0;
    int symbol = 0;
    for (int length = 1; length <= 16; ++length) {
        for (int i = 0; i < kDcBits[length - 1]; ++i) {
            dcCode[symbol] = code++;
            dcLength[symbol++] = length;
        }
        code <<= 1;
    }

    std::string out = "\xFF\xD8";
    out += "\xFF\xE0";
    Put16(out, 16);
    out += std::string("JFIF\0", 5);
    out += std::string("\x01\x01\x00\x00\x01\x00\x01\x00\x00", 9);
    out += "\xFF\xDB";
    Put16(out, 67);
    out += '\0';
    out += std::string(64, '\x01');
    out += "\xFF\xC0";
    Put16(out, 17);
    out += '\x08';
    Put16(out, static_cast<unsigned>(height));
    Put16(out, static_cast<unsigned>(width));
    out += '\x03';
    for (char id = 1; id <= 3; ++id) out += std::string{id, '\x11', '\0'};
    out += "\xFF\xC4";
    Put16(out, 31);
    out += '\0';
    for (unsigned char bits : kDcBits) out += static_cast<char>(bits);
    for (char value = 0; value < 12; ++value) out += value;
    out += "\xFF\xC4";
    Put16(out, 20);
    out += '\x10';
    out += '\x01';  // one code of length 1: the end-of-block symbol 0
    out += std::string(15, '\0');
    out += '\0';
    out += "\xFF\xDA";
    Put16(out, 12);
    out += '\x03';
    for (char id = 1; id <= 3; ++id) out += std::string{id, '\0'};
    out += std::string("\x00\x3F\x00", 3);

    BitWriter bits;
    const int blocks = (width / 8) * (height / 8);
    for (int block = 0; block < blocks; ++block) {
        for (int component = 0; component < 3; ++component) {
            const int diff = block == 0 ? dc[component] : 0;
            const unsigned magnitude = static_cast<unsigned>(diff < 0 ? -diff : diff);
            int category = 0;
            while ((magnitude >> category) != 0) ++category;
            bits.Put(dcCode[category], dcLength[category]);
            if (category > 0) {
                const int value = diff < 0 ? diff + (1 << category) - 1 : diff;
                bits.Put(static_cast<unsigned>(value), category);
            }
            bits.Put(0, 1);  // end of block
        }
    }
    out += bits.Finish();
    out += "\xFF\xD9";
    return out;
}

std::string MarkerText(const DemoAddOn& addOn) {
    const std::string team = LowerCase(addOn.Team);
    std::string text = "[header]\r\nteam = " + addOn.Team + "\r\n\r\n[files]\r\n";
    for (std::size_t i = 0; i < addOn.Entries.size(); ++i) {
        const DemoEntry& entry = addOn.Entries[i];
        const std::string n = std::to_string(i + 1);
        text += "file" + n + "desc = " + entry.Description + "\r\n";
        if (!entry.Kind.empty()) text += KindKey(entry.Description) + " = " + entry.Kind + "\r\n";
        text += n + " = zorvex" + team + n + "\r\n";
    }
    return text;
}

void MakeAddOnFolder(const fs::path& folder, const DemoAddOn& addOn) {
    WriteFile(folder / "zorvexcar.zorvex", MarkerText(addOn));
    const std::string team = LowerCase(addOn.Team);
    for (std::size_t i = 0; i < addOn.Entries.size(); ++i) {
        const DemoEntry& entry = addOn.Entries[i];
        const std::string n = std::to_string(i + 1);
        if (!entry.DescriptionText.empty()) {
            WriteFile(folder / ("zorvex" + team + n + ".zorvex"), entry.DescriptionText);
            if (team.empty())
                for (const char* gameTeam : kGameTeams)
                    WriteFile(folder / ("zorvex" + std::string(gameTeam) + n + ".zorvex"),
                              entry.DescriptionText);
        }
        const fs::path entryFolder = folder / entry.Description;
        fs::create_directories(entryFolder);
        for (const auto& [name, bytes] : entry.Files) WriteFile(entryFolder / name, bytes);
        if (entry.Bmp) WriteFile(entryFolder / "zorvex.bmp", SolidBmp(64, 48, 200, 30, 30));
        if (entry.Jpg) WriteFile(entryFolder / "zorvex.jpg", SolidJpeg(64, 48, 30, 60, 200));
    }
}

void MakeDemoAddOns(const fs::path& addons) {
    DemoEntry car{"Ferrari 312", "car", {}, "Ferrari 312 of 1967.\r\nFor the Ferrari team.\r\n",
                  true,          true};
    for (const char* number : {"9", "10", "11"}) {
        car.Files.push_back({std::string("fer") + number + ".3do",
                             std::string("add-on model of car ") + number + "\r\n"});
        car.Files.push_back({std::string("fer") + number + ".mip",
                             std::string("add-on texture of car ") + number + "\r\n"});
    }
    car.Files.push_back({"fer.3do", "add-on generic model\r\n"});
    const DemoEntry wheels{
        "Red Wheels",
        "accessory",
        {{"fer9.mip", "red wheels texture of car 9\r\n"}, {"wheels.mip", "red wheels\r\n"}},
        "Red wheels for the Ferrari 312.\r\n",
        false,
        true};
    const DemoEntry mirrors{
        "Chrome Mirrors",      "accessory", {{"mirrors.3do", "chrome mirrors\r\n"}},
        "Chrome mirrors.\r\n", true,        false};
    MakeAddOnFolder(addons / "Ferrari 312 Classic", {"ferrari", {car, wheels, mirrors}});

    const DemoEntry helmets{"Helmet Pack",
                            "accessory",
                            {{"helmet1.mip", "helmet one\r\n"}, {"helmet2.mip", "helmet two\r\n"}},
                            "Helmets for any team.\r\nChoose the team when adding.\r\n",
                            true,
                            false};
    MakeAddOnFolder(addons / "Universal Helmets", {"", {helmets}});
}

}  // namespace movrand::demo
