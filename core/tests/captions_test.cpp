#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/captions.h"

namespace palmos {
namespace {

// A caption filled in: each mark takes its argument once, in either
// language; a value that looks like a mark stays as it is, and a mark with
// no argument is left for the reader to see.
struct FillRow {
    const char* name;
    Caption id;
    bool english;
    std::vector<std::string> args;
    const char* filled;
};

class CaptionWith : public ::testing::TestWithParam<FillRow> {};

TEST_P(CaptionWith, PutsEachArgumentAtItsMarkOnce) {
    const FillRow& row = GetParam();
    const auto& a = row.args;
    std::string filled;
    switch (a.size()) {
        case 1:
            filled = captionWith(row.id, row.english, {a[0]});
            break;
        case 2:
            filled = captionWith(row.id, row.english, {a[0], a[1]});
            break;
        default:
            filled = captionWith(row.id, row.english, {a[0], a[1], a[2], a[3], a[4], a[5]});
    }
    EXPECT_EQ(filled, row.filled);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, CaptionWith,
    ::testing::Values(
        FillRow{"TwoMarks",
                Caption::PredictLevelsAfter,
                true,
                {"12", "40"},
                "12 levels after the junction (level 40)"},
        FillRow{"AValueLikeAMark",
                Caption::PredictLevelsAfter,
                true,
                {"%2", "40"},
                "%2 levels after the junction (level 40)"},
        FillRow{"AMarkWithNoArgument",
                Caption::PredictLevelsAfter,
                true,
                {"12"},
                "12 levels after the junction (level %2)"},
        FillRow{"MarksOutOfOrder",
                Caption::SpeedsFromFronts,
                true,
                {"c2", "0.26", "c1", "0.66", "0.44", "1.09"},
                "Speed of the pulse, from the moments its front passes two points of each "
                "medium: 0.26 points per level on the c2 side and 0.66 on the c1 side (0.44 and "
                "1.09 per unit of time)."},
        FillRow{"Greek",
                Caption::EventReflectedBack,
                false,
                {"όρθιος", "0.33"},
                "Ο ανακλώμενος παλμός επιστρέφει όρθιος, περίπου 0.33 του ύψους του "
                "προσπίπτοντος."}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace palmos
