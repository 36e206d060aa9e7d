// Paging commands and keys of the report view.
#include <gtest/gtest.h>

#include "ravelog/report/page_count.h"
#include "ravelog/report/report_view_state.h"

namespace ravelog {
namespace {

// Three pages at 1:100 (20 m per page): rows down to 45 m.
void FillThreePages(SoundingDocument& doc) {
    doc.header[slot::kDepthScale] = "100";
    doc.Row(1)[field::kDepth] = "1.00";
    doc.Row(2)[field::kDepth] = "45.00";
}

TEST(ReportPaging, NextAndPreviousStopAtTheEnds) {
    SoundingDocument doc;
    FillThreePages(doc);
    ASSERT_EQ(CountReportPages(doc), 3);
    ReportViewState state;
    EXPECT_FALSE(GoToPreviousPage(doc, state));
    EXPECT_TRUE(GoToNextPage(doc, state));
    EXPECT_TRUE(GoToNextPage(doc, state));
    EXPECT_EQ(state.currentPage, 3);
    EXPECT_FALSE(GoToNextPage(doc, state));
    EXPECT_TRUE(GoToPreviousPage(doc, state));
    EXPECT_EQ(state.currentPage, 2);
}

TEST(ReportPaging, PageBeyondTheCountFallsBackToOne) {
    SoundingDocument doc;
    FillThreePages(doc);
    ReportViewState state;
    state.currentPage = 7;
    EXPECT_TRUE(GoToNextPage(doc, state));
    EXPECT_EQ(state.currentPage, 2);  // back to 1, then on to 2
    state.currentPage = 7;
    EXPECT_TRUE(GoToPreviousPage(doc, state));
    EXPECT_EQ(state.currentPage, 1);
}

TEST(ReportPaging, NothingMovesWhilePrinting) {
    SoundingDocument doc;
    FillThreePages(doc);
    ReportViewState state;
    state.printing = true;
    EXPECT_FALSE(GoToNextPage(doc, state));
    EXPECT_FALSE(HandlePagingKey(doc, state, PagingKey::kDown));
    EXPECT_EQ(state.currentPage, 1);
}

TEST(ReportPaging, KeysAndEnableRule) {
    SoundingDocument doc;
    EXPECT_FALSE(PagingEnabled(doc));
    FillThreePages(doc);
    EXPECT_TRUE(PagingEnabled(doc));
    ReportViewState state;
    EXPECT_FALSE(HandlePagingKey(doc, state, PagingKey::kUp));
    EXPECT_TRUE(HandlePagingKey(doc, state, PagingKey::kPageDown));
    EXPECT_TRUE(HandlePagingKey(doc, state, PagingKey::kDown));
    EXPECT_FALSE(HandlePagingKey(doc, state, PagingKey::kDown));
    EXPECT_FALSE(HandlePagingKey(doc, state, PagingKey::kOther));
    EXPECT_TRUE(HandlePagingKey(doc, state, PagingKey::kPageUp));
    EXPECT_EQ(state.currentPage, 2);
}

TEST(ReportFormat, ClampedFromSlotAndWrittenBack) {
    SoundingDocument doc;
    EXPECT_EQ(ReportFormatOf(doc), 0);
    doc.header[slot::kReportFormat] = "5";
    EXPECT_EQ(ReportFormatOf(doc), 2);
    doc.header[slot::kReportFormat] = "-1";
    EXPECT_EQ(ReportFormatOf(doc), 0);
    ReportViewState state;
    SelectReportFormat(doc, state, 1);
    EXPECT_EQ(state.reportFormat, 1);
    EXPECT_EQ(doc.header[slot::kReportFormat], "1");
}

}  // namespace
}  // namespace ravelog
