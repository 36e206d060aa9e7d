// The review of a layer proposal on the interpretation example: what each of the engineer's
// edits does to the section that would be written, and that they outlive a new proposal.
#include "ravesect/editing/layer_proposal_review.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "common/installed_soil_tables.h"
#include "ravesect/document/section_file.h"
#include "temp_folder.h"

namespace ravesect {
namespace {

const std::filesystem::path kSource(RAVE_SOURCE_DIR);

LayerProposalReview Review(const std::filesystem::path& section) {
    rave::testing::TempFolder folder;
    const WorkingFiles files = WorkingFiles::In(folder.path());
    rave::RecordingMessageSink messages;
    SectionDocument document;
    EXPECT_GE(LoadSectionFile(document, files, section, messages), 1);
    ReloadSectionDocument(document, files);
    rave::SoilNameTable jacic;
    rave::SoilNameTable simple;
    rave::LoadBothSoilNameKinds(jacic, kSource / "data" / "WdtvxJG.mst", messages);
    rave::LoadBothSoilNameKinds(simple, kSource / "data" / "WdtvxCS.mst", messages);
    return LayerProposalReview(std::move(document), std::move(jacic), std::move(simple));
}

std::vector<std::string> Titles(const SectionDocument& document) {
    std::vector<std::string> titles;
    for (int n = 1; n <= kTitleEntries; ++n) {
        if (!document.Title(n).IsFree()) {
            titles.push_back(document.Title(n).text);
        }
    }
    return titles;
}

TEST(LayerProposalReview, EditsDecideWhatIsWrittenAndOutliveANewProposal) {
    LayerProposalReview review(Review(kSource / "examples" / "section" / "example-interpretation.sqw"));
    const SectionDocument& base = review.Base();
    const int units = static_cast<int>(review.Proposal().units.size());
    ASSERT_GE(units, 3);
    ASSERT_TRUE(review.CanAdd());
    EXPECT_EQ(review.Result(false)->LayerCount(), base.LayerCount() + units);
    EXPECT_EQ(review.Preview().LayerCount(), base.LayerCount() + units) << "the preview is what 採用 writes";
    EXPECT_EQ(review.Result(true)->LayerCount(), units);

    // Unit 0 renamed, unit 1 left out, and a link of the last unit rejected: that unit goes too.
    const std::string renamed = review.Proposal().units[0].symbol + "x";
    rave::RecordingMessageSink messages;
    EXPECT_TRUE(review.SetSymbol(0, renamed, messages));
    review.SetUnitAccepted(1, false);
    int link = 0;
    while (review.Proposal().links[static_cast<std::size_t>(link)].unit != units - 1) {
        ++link;
    }
    review.SetLinkAccepted(link, false);
    const std::string dropped = review.Proposal().units[static_cast<std::size_t>(units - 1)].symbol;
    GroupStyle style{0x123456, 4};
    review.SetGroupStyle(review.Proposal().units[0].group, style);
    review.SetMinThickness(review.MinThickness());  // proposes again

    EXPECT_EQ(review.WrittenCount(), units - 2);
    const std::optional<SectionDocument> added = review.Result(false);
    ASSERT_TRUE(added);
    EXPECT_EQ(added->LayerCount(), base.LayerCount() + units - 2);
    const LayerOutline& first = added->Layer(base.LayerCount() + 1);
    EXPECT_EQ(first.colour, "0x123456");
    EXPECT_EQ(first.hatch, "4");
    const std::vector<std::string> titles = Titles(*added);
    EXPECT_EQ(titles.size(), Titles(base).size() + units - 2);
    EXPECT_NE(std::find(titles.begin(), titles.end(), renamed), titles.end());
    EXPECT_EQ(std::find(titles.begin(), titles.end(), dropped), titles.end());
    EXPECT_EQ(review.Base().LayerCount(), base.LayerCount()) << "the base is never written";
}

// A line break or "$$" would break the titles file; a long text loses its tail and font on reading.
TEST(LayerProposalReview, ARenamedSymbolIsCheckedAsATitleText) {
    LayerProposalReview review(Review(kSource / "examples" / "section" / "example-interpretation.sqw"));
    rave::RecordingMessageSink messages;
    for (const std::string& symbol :
         {std::string("Ac\r\n1"), std::string("A$$c"), std::string(480, 'A'), std::string("Ac-1")}) {
        EXPECT_EQ(review.SetSymbol(0, symbol, messages), symbol == "Ac-1");
    }
    EXPECT_EQ(messages.shown.size(), 3u);
}

TEST(LayerProposalReview, ASectionWithoutLogsProposesAndWritesNothing) {
    LayerProposalReview review(SectionDocument{}, {}, {});
    EXPECT_EQ(review.ColumnCount(), 0);
    EXPECT_TRUE(review.Proposal().units.empty());
    EXPECT_FALSE(review.Result(false));
    EXPECT_FALSE(review.Result(true));
    EXPECT_EQ(review.Preview().LayerCount(), 0);
}

}  // namespace
}  // namespace ravesect
