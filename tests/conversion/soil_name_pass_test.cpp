// The soil-name pass of the refresh and the JACIC pattern fill of an import.
#include <gtest/gtest.h>

#include <memory>

#include "common/messages.h"
#include "common/text_file.h"
#include "ravelog/conversion/soil_name_pass.h"

namespace ravelog {
namespace {

std::shared_ptr<rave::InstalledSoilTables> Tables() {
    auto tables = std::make_shared<rave::InstalledSoilTables>();
    const std::string bytes = rave::JoinCrLf({
        "[第1群], ,1,",
        "砂,Sa,400.1,41.1,",
        "粘土,Cl,600.2,61.2,",
        "シルト,Si,500.2,51.2,",
        "[第2群]",
        "砂混り,s,10,10,",
        "[第3群]",
        "砂質,a,1,1,",
    });
    tables->jacic.LoadSoilNameBytes(bytes, rave::soil_number_kind::kLineDrawing);
    tables->jacic.LoadSoilNameBytes(bytes, rave::soil_number_kind::kBitmap);
    return tables;
}

TEST(SoilNamePass, ResolvesTheJacicNamesIntoTheWorkingFields) {
    SoundingDocument document;
    document.Row(1)[field::kJacicSoilName] = "砂混じりシルト";
    document.Row(2)[field::kResolvedPattern] = "stale";
    document.Row(3)[field::kJacicSoilName] = "砂";
    document.Row(3)[field::kJacicPattern] = "41.2";   // the row's own class wins over the table
    document.Row(4)[field::kJacicSoilName] = "粘土";  // beyond the count: untouched

    rave::RecordingMessageSink messages;
    const SoilNamePassFunction pass = MakeSoilNamePass(Tables());
    pass(document, 3, messages);

    EXPECT_EQ(document.Row(1)[field::kResolvedPattern], "510.2");
    EXPECT_EQ(document.Row(1)[field::kResolverWork], "Sis");
    EXPECT_EQ(document.Row(1)[field::kResolvedName], "砂混りシルト");
    EXPECT_EQ(document.Row(2)[field::kResolvedPattern], "");
    EXPECT_EQ(document.Row(3)[field::kResolvedPattern], "400.2");
    EXPECT_EQ(document.Row(4)[field::kResolvedPattern], "");
    // The stored fields are not touched by the pass.
    EXPECT_EQ(document.Row(3)[field::kJacicPattern], "41.2");
    EXPECT_TRUE(messages.shown.empty());
}

TEST(SoilNamePass, ToleratesCountsOutsideTheTableAndMissingTables) {
    SoundingDocument document;
    document.Row(kMaxRows)[field::kJacicSoilName] = "粘土";
    RunSoilNamePass(Tables()->jacic, document, kMaxRows + 10);
    EXPECT_EQ(document.Row(kMaxRows)[field::kResolvedPattern], "600.2");
    RunSoilNamePass(Tables()->jacic, document, -3);
    rave::RecordingMessageSink messages;
    MakeSoilNamePass(nullptr)(document, 5, messages);
}

TEST(SoilNamePass, TheImportFillWritesBitmapCodesForNamedRows) {
    SoundingDocument document;
    document.Row(1)[field::kJacicSoilName] = "砂質シルト";
    document.Row(2)[field::kJacicPattern] = "keep";
    document.Row(3)[field::kJacicSoilName] = "礫";
    FillJacicPatterns(Tables()->jacic, document, 3);
    EXPECT_EQ(document.Row(1)[field::kJacicPattern], "52.2");
    EXPECT_EQ(document.Row(2)[field::kJacicPattern], "keep");
    EXPECT_EQ(document.Row(3)[field::kJacicPattern], "0.0");
}

}  // namespace
}  // namespace ravelog
