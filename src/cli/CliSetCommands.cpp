// SPDX-License-Identifier: GPL-3.0-or-later
// The car set commands: set-export, set-compare, set-code, set-apply.
#include "carsets/CarSetApply.h"
#include "carsets/CarSetWork.h"
#include "cli/CliCall.h"

namespace movrand::cli {

namespace {

std::string FolderOption(const Call& c) {
    return c.request.Set.Folder.empty() ? "" : WindowsNotation(c.pv.Files(), c.request.Set.Folder);
}

}  // namespace

CommandOutcome SetExport(Call& c) {
    const auto exported =
        carsets::ExportCarSet(c.pv, c.ui, c.PathOperand(0), FolderOption(c), c.request.Set.Name);
    if (!exported) return CommandOutcome::Refused;
    c.out << exported->Code << '\n';
    return CommandOutcome::Done;
}

CommandOutcome SetCode(Call& c) {
    const auto set = carsets::SetOfFolder(c.pv, c.ui, FolderOption(c));
    if (!set) return CommandOutcome::Refused;
    c.out << set->Code << '\n';
    return CommandOutcome::Done;
}

CommandOutcome SetCompare(Call& c) {
    const auto comparison = carsets::CompareCarSet(c.pv, c.ui, c.PathOperand(0), FolderOption(c));
    if (!comparison) return CommandOutcome::Refused;
    for (const carsets::SetDifference& difference : comparison->Differences)
        c.out << carsets::DifferenceWord(difference.Kind) << '\t' << difference.Path << '\n';
    c.out << "set " << comparison->SetCode << "\tfolder " << comparison->FolderCode << '\n';
    return comparison->Differences.empty() ? CommandOutcome::Done : CommandOutcome::Refused;
}

CommandOutcome SetApply(Call& c) {
    carsets::ApplyRequest request;
    request.SetFile = c.PathOperand(0);
    for (const std::string& from : c.request.Set.From)
        request.From.push_back(WindowsNotation(c.pv.Files(), from));
    request.Name = c.request.Set.Name;
    request.NoSwap = c.request.Set.NoSwap;
    const carsets::ApplyResult result = carsets::ApplyCarSet(c.pv, c.ui, request);
    switch (result.Outcome) {
        case carsets::ApplyOutcome::Live:
            // The folder built is the live one now, under the live folder's name.
            c.out << "live\t" << carsets::LiveCarFolder(c.pv) << '\n';
            if (!result.OldFolder.empty()) c.out << "old car folder\t" << result.OldFolder << '\n';
            return CommandOutcome::Done;
        case carsets::ApplyOutcome::Built:
            c.out << "built\t" << result.Folder << '\n';
            return CommandOutcome::Done;
        case carsets::ApplyOutcome::Missing:
            for (const carsets::CarSetFile& file : result.Missing)
                c.out << "not found\t" << file.Path << '\t' << file.Size << '\n';
            c.ui.ShowMessage(std::to_string(result.Missing.size()) +
                             " files of the car set were found nowhere; nothing was changed.");
            return CommandOutcome::Refused;
        default:
            return CommandOutcome::Refused;
    }
}

}  // namespace movrand::cli
