// SPDX-License-Identifier: GPL-3.0-or-later
#include "history/StepLabels.h"

#include <algorithm>
#include <charconv>
#include <optional>
#include <sstream>

#include "platform/RuntimeError.h"

namespace movrand::history {

namespace {

constexpr const char* kLabelsHeader = "movrand-history-labels 1";
constexpr std::size_t kLongestLabel = 200;

std::string OneLine(std::string text) {
    std::replace_if(
        text.begin(), text.end(), [](char c) { return c == '\t' || c == '\r' || c == '\n'; }, ' ');
    const std::size_t first = text.find_first_not_of(' ');
    if (first == std::string::npos) return "";
    text = text.substr(first, text.find_last_not_of(' ') - first + 1);
    if (text.size() > kLongestLabel) {
        text.resize(kLongestLabel);
        // Not cut inside a character of several bytes.
        while (!text.empty() && (static_cast<unsigned char>(text.back()) & 0xC0) == 0x80)
            text.pop_back();
        if (!text.empty() && (static_cast<unsigned char>(text.back()) & 0x80)) text.pop_back();
    }
    return text;
}

void WriteLabels(HistoryPlace& place, const StepLabels& labels) {
    std::string text = std::string(kLabelsHeader) + "\n";
    for (const auto& [number, label] : labels)
        text += std::to_string(number) + '\t' + EscapedField(label) + '\n';
    place.FaultOf("write", place.LabelsFile());
    place.Files().WriteWholeFile(place.LabelsFile(), text);
    place.Share(place.LabelsFile());
}

}  // namespace

namespace {

// The names of the labels file; a line that is not one is counted in `damaged` when it is given,
// and raises, naming the file, when it is not.
StepLabels LabelsRead(const HistoryPlace& place, int* damagedLines) {
    StepLabels labels;
    if (!place.Exists() || !place.Files().FileExists(place.LabelsFile())) return labels;
    std::istringstream in(place.ReadRecord(place.LabelsFile()));
    std::string line;
    int lineNumber = 1;
    const auto damaged = [&] {
        if (damagedLines) {
            ++*damagedLines;
            return;
        }
        throw platform::RuntimeError(platform::kPathFileAccessError,
                                     "The history file " + place.LabelsFile() +
                                         " is damaged: line " + std::to_string(lineNumber) +
                                         " is not as written");
    };
    if (!std::getline(in, line) || line != kLabelsHeader) damaged();
    while (std::getline(in, line)) {
        ++lineNumber;
        const std::size_t tab = std::min(line.find('\t'), line.size());
        int number = 0;
        const auto [end, error] = std::from_chars(line.data(), line.data() + tab, number);
        const std::optional<std::string> label =
            tab == line.size() ? std::nullopt : UnescapedField(line.substr(tab + 1));
        if (error != std::errc() || end != line.data() + tab || number < 1 || !label ||
            label->empty()) {
            damaged();
            continue;
        }
        labels[number] = *label;
    }
    return labels;
}

}  // namespace

StepLabels ReadLabels(const HistoryPlace& place) {
    return LabelsRead(place, nullptr);
}

int RepairLabels(HistoryPlace& place) {
    int damaged = 0;
    const StepLabels labels = LabelsRead(place, &damaged);
    if (damaged) WriteLabels(place, labels);
    return damaged;
}

std::string SetLabel(HistoryPlace& place, int number, const std::string& text) {
    bool listed = false;
    if (place.Exists())
        for (const Step& step : place.ReadIndex()) listed = listed || step.Number == number;
    if (!listed)
        throw platform::RuntimeError(
            platform::kBadFileNameOrNumber,
            "There is no step " + std::to_string(number) + " in the history to name");
    StepLabels labels = ReadLabels(place);
    const std::string label = OneLine(text);
    if (label.empty())
        labels.erase(number);
    else
        labels[number] = label;
    WriteLabels(place, labels);
    return label;
}

void DropLabelsBefore(HistoryPlace& place, int first) {
    StepLabels labels = ReadLabels(place);
    const auto kept = labels.lower_bound(first);
    if (kept == labels.begin()) return;
    labels.erase(labels.begin(), kept);
    WriteLabels(place, labels);
}

std::string LabelledBefore(const HistoryPlace& place, int first) {
    std::string named;
    for (const auto& [number, label] : ReadLabels(place))
        if (number < first) named += "\r\n  step " + std::to_string(number) + " \"" + label + "\"";
    return named;
}

}  // namespace movrand::history
