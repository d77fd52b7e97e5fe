// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <string>
#include <vector>

#include "common/ProgramValues.h"
#include "platform/Ui.h"

namespace movrand {

// What the Add mode preview shows for the chosen entry.
struct AddOnPreview {
    // False: the picture shown before stays (the folder has no marker file).
    bool PictureChanged = false;
    std::string PicturePath;  // when changed: the picture to load; "" clears the picture
    // "(Picture Not Produced for this Version)" is shown when there is no picture (the window
    // shows it too when loading the picture fails).
    bool NoticeVisible = false;

    bool DescriptionRefreshed = false;  // the description box now holds Description
    std::string Description;

    bool ModelsRefreshed = false;     // the model list box now holds ModelList
    std::string ModelList;            // each model file name followed by CR LF
    std::vector<std::string> Models;  // the same names, lower-cased, in listing order
};

// The entry chosen in the Add mode entry list (entryIndex 0 is entry 1): its picture and
// description from the add-on folder and, when refreshModels, the car model files (".3do") of
// the team's live folder; excludeGeneric leaves the team's generic models out.
AddOnPreview ShowAddOnFiles(ProgramValues& pv, platform::Ui& ui, const std::string& addOnFolder,
                            int entryIndex, const std::string& entryDescription,
                            bool refreshDescription, bool refreshModels, bool excludeGeneric);

// Whether the model list shows a lower-cased file name, for a team prefix ("fer").
bool IsListedModel(const std::string& name, const std::string& teamPrefix, bool excludeGeneric);

}  // namespace movrand
