// SPDX-License-Identifier: GPL-3.0-or-later
// The names a player gives steps and the times steps carry.
#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <optional>

#include "../addons/AddOnFixture.h"
#include "history/HistoryForget.h"
#include "history/HistoryPlace.h"
#include "history/StepLabels.h"
#include "history/StepTime.h"
#include "platform/RuntimeError.h"

namespace movrand::test {
namespace {

// Sets the time zone for a test and puts the one it found back.
class ZoneGuard {
  public:
    ZoneGuard() {
        if (const char* tz = std::getenv("TZ")) was_ = tz;
    }
    ~ZoneGuard() {
        was_ ? ::setenv("TZ", was_->c_str(), 1) : ::unsetenv("TZ");
        ::tzset();
    }
    ZoneGuard(const ZoneGuard&) = delete;
    ZoneGuard& operator=(const ZoneGuard&) = delete;
    void Set(const char* zone) {
        ::setenv("TZ", zone, 1);
        ::tzset();
    }

  private:
    std::optional<std::string> was_;
};

// Steps recorded in three zones keep their offsets; read in another zone each is that zone's
// time of the same moment, listed by number even where the times run backwards. A time written
// without an offset reads as it was.
TEST(StepKeeping, TimesCarryTheirOffsetAndReadInTheLocalZone) {
    ZoneGuard zone;
    AddOnDrive d;
    const struct {
        const char* zone;
        const char* entry;
        const char* stored;
        const char* inUtc;
    } rows[] = {
        {"UTC0", "Ferrari 312", "2026-12-05T07:04:09+00:00", "2026-12-05T07:04:09+00:00"},
        {"EST5", "Red Wheels", "2026-12-05T07:04:09-05:00", "2026-12-05T12:04:09+00:00"},
        {"<+0530>-5:30", "Chrome Mirrors", "2026-12-05T07:04:09+05:30",
         "2026-12-05T01:34:09+00:00"},
    };
    for (const auto& row : rows) {
        zone.Set(row.zone);
        d.Install(kClassic, row.entry);
    }
    zone.Set("UTC0");
    const std::vector<history::Step> steps = history::HistoryPlace(d.Pv).ReadIndex();
    ASSERT_EQ(steps.size(), 3u);
    for (std::size_t i = 0; i < steps.size(); ++i) {
        EXPECT_EQ(steps[i].Number, static_cast<int>(i) + 1);
        EXPECT_EQ(steps[i].When, rows[i].stored);
        EXPECT_EQ(history::LocalStepTime(steps[i].When), rows[i].inUtc);
    }
    zone.Set("EST5");
    EXPECT_EQ(history::LocalStepTime(rows[0].stored), "2026-12-05T02:04:09-05:00");
    for (const char* asWritten : {"2026-12-05T07:04:09", "2026-13-05T07:04:09+00:00"})
        EXPECT_EQ(history::LocalStepTime(asWritten), asWritten);
}

// A name stays with its step while others are forgotten and goes with it. A forget names the
// named steps it loses; the size limit forgets one only on a yes to a question that names it,
// asked once for the same named step over the same limit.
TEST(StepKeeping, NamedStepsAreForgottenOnlyWhenTheQuestionNamesThem) {
    AddOnDrive d;
    for (const char* entry : {"Ferrari 312", "Red Wheels", "Chrome Mirrors"})
        d.Install(kClassic, entry);
    history::HistoryPlace place(d.Pv);
    EXPECT_EQ(history::SetLabel(place, 1, " before\tthe season\r\n"), "before the season");
    history::SetLabel(place, 3, "race day");
    EXPECT_THROW(history::SetLabel(place, 9, "none"), platform::RuntimeError);
    d.Ui.Answers = {false};
    EXPECT_FALSE(history::AskToForget(place, 2, d.Ui));
    EXPECT_NE(d.Ui.Questions.back().Message.find("step 1 \"before the season\""),
              std::string::npos);

    const struct {
        bool withUi, yes;
        int limit, firstKept;
        const char* name;
        bool askedNow;
    } rows[] = {{false, false, 0, 1, "before the season", false},
                {true, false, 0, 1, "before the season", true},
                {true, true, 0, 1, "before the season", false},
                {true, false, 0, 1, "the season", true},
                {true, true, 1, 3, "the season", true}};
    for (const auto& row : rows) {
        place.SetLimit(static_cast<std::uint64_t>(row.limit));
        history::SetLabel(place, 1, row.name);
        d.Ui.Answers = {row.yes};
        const std::size_t asked = d.Ui.Questions.size();
        history::KeepWithinLimit(place, row.withUi ? &d.Ui : nullptr);
        EXPECT_EQ(place.FirstKept(), row.firstKept) << row.withUi << row.yes;
        ASSERT_EQ(d.Ui.Questions.size(), asked + (row.askedNow ? 1 : 0)) << row.name;
        if (row.askedNow) {
            EXPECT_NE(d.Ui.Questions.at(asked).Message.find("step 1 \"" + std::string(row.name)),
                      std::string::npos);
        }
    }
    EXPECT_EQ(history::ReadLabels(place), (history::StepLabels{{3, "race day"}}));
    history::SetLabel(place, 3, "");
    EXPECT_TRUE(history::ReadLabels(place).empty());
}

// A damaged names file is told by its name; the repair keeps the names that can still be read.
TEST(StepKeeping, DamagedNamesAreToldByNameAndRepairKeepsTheRest) {
    AddOnDrive d;
    d.Install(kClassic, "Ferrari 312");
    history::HistoryPlace place(d.Pv);
    d.Write(place.LabelsFile(), "movrand-history-labels 1\n1\tkept\nx\tlost\n");
    try {
        history::ReadLabels(place);
        ADD_FAILURE() << "a damaged names file was read";
    } catch (const platform::RuntimeError& error) {
        EXPECT_NE(error.Description().find(place.LabelsFile() + " is damaged: line 3"),
                  std::string::npos)
            << error.Description();
    }
    EXPECT_EQ(history::RepairLabels(place), 1);
    EXPECT_EQ(history::ReadLabels(place), (history::StepLabels{{1, "kept"}}));
}

}  // namespace
}  // namespace movrand::test
