// Page selections: all, one page, a range, and what is refused.
#include "ravelog/report/page_range.h"

#include <gtest/gtest.h>

namespace ravelog {
namespace {

TEST(PageSelection, AllOneAndRange) {
    EXPECT_EQ(SelectPages("all", 3).pages, (std::vector<int>{1, 2, 3}));
    EXPECT_EQ(SelectPages("2", 3).pages, (std::vector<int>{2}));
    EXPECT_EQ(SelectPages("2-3", 3).pages, (std::vector<int>{2, 3}));
    EXPECT_EQ(SelectPages("1-1", 1).pages, (std::vector<int>{1}));
    EXPECT_TRUE(SelectPages("2-3", 3).ok());
}

TEST(PageSelection, MalformedTextsAreRefused) {
    for (const char* text : {"", "0", "-1", "3-2", "1-", "-2", "x", "2x", "1-2-3", "1.5", "ALL"}) {
        const PageSelection selection = SelectPages(text, 5);
        EXPECT_FALSE(selection.ok()) << text;
        EXPECT_TRUE(selection.pages.empty()) << text;
    }
}

TEST(PageSelection, PagesBeyondTheSheetAreRefused) {
    const PageSelection selection = SelectPages("2-4", 3);
    EXPECT_FALSE(selection.ok());
    EXPECT_NE(selection.error.find("3 page"), std::string::npos) << selection.error;
    EXPECT_FALSE(SelectPages("4", 3).ok());
}

}  // namespace
}  // namespace ravelog
