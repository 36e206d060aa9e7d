// The self-sinking block of the calculator: the footing depth it starts with, refusals, the verdict
// lines and the proposed averaging range.
#include "ravelog/conversion/self_sinking_panel.h"

#include <gtest/gtest.h>

namespace ravelog {
namespace {

TEST(SelfSinkingPanel, StartsFromTheDepthOfThisRunElseAValidSettingsDepth) {
    const struct {
        const char* remembered;
        const char* stored;
        const char* shown;
    } cases[] = {{"1.2", "0.8", "1.2"}, {"", " 0.8", "0.8"}, {"", "-1", ""}, {"", "abc", ""}, {"", "", ""}};
    for (const auto& c : cases) {
        rave::RavelogSettings settings = rave::RavelogSettings::Defaults();
        settings.Line(rave::sysline::kFootingDepth) = c.stored;
        EXPECT_EQ(InitialFootingDepthText(c.remembered, settings), c.shown)
            << c.remembered << "|" << c.stored;
    }
}

TEST(SelfSinkingPanel, RefusesAFootingDepthThatIsNoDepth) {
    SoundingDocument document;
    for (const char* text : {"-1", "", "x"}) {
        rave::RecordingMessageSink messages;
        EXPECT_FALSE(JudgeSelfSinking(document, text, messages)) << text;
        ASSERT_EQ(messages.shown.size(), 1u) << text;
    }
}

TEST(SelfSinkingPanel, ListsTheLayersWithinFiveMetresBelowTheFootingAndProposesTheRange) {
    SoundingDocument document;
    const char* rows[][3] = {{"0.50", "0.75", ""},  // above the footing: not listed
                             {"1.50", "1.00", "4"},
                             {"2.00", "0.50", "0"},
                             {"7.00", "1.00", "10"},
                             {"8.00", "0.25", ""}};  // deeper than 5 m below: not listed
    for (int i = 0; i < 5; ++i) {
        document.Row(i + 1)[field::kDepth] = rows[i][0];
        document.Row(i + 1)[field::kLoad] = rows[i][1];
        document.Row(i + 1)[field::kHalfTurns] = rows[i][2];
    }
    rave::RecordingMessageSink messages;
    const auto verdict = JudgeSelfSinking(document, " 1.0", messages);
    ASSERT_TRUE(verdict);
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(verdict->lines,
              (std::vector<std::string>{"基礎底部から2m以内に荷重1kN以下で自沈する層: あり",
                                        "2mを超え5m以内に荷重500N以下で自沈する層: なし", "沈下の検討: 必要",
                                        "自沈層 (基礎底部から5m以内):", "　GL-1.50～2.00m　Wsw 0.50kN"}));
    EXPECT_EQ(verdict->proposedFrom, "1.00");
    EXPECT_EQ(verdict->proposedTo, "3.00");
    EXPECT_TRUE(TakesProposedRange(" ", ""));
    EXPECT_FALSE(TakesProposedRange("", "2"));
}

}  // namespace
}  // namespace ravelog
