// The soil-name table dialogs: a row edited and saved into the master file, the tables taken up
// by the running program after OK, the display settings in "Sys.ndx", the pattern previews and
// the swatches of both shipped tables, and the refusals.
#include <QButtonGroup>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTableWidget>

#include "common/patterns/soil_patterns.h"
#include "platform/cell_edit_table.h"
#include "ravelog/app/soil_table_dialog.h"
#include "settings_dialog_fixture.h"

namespace ravelog::app::testing {
namespace {

using SoilTableDialogTest = SettingsDialogTest;

bool HasName(const rave::SoilNameTable& table, const std::string& name) {
    for (const rave::SoilNameRow& row : table.Rows(rave::soil_number_kind::kLineDrawing)) {
        if (row.name == name) {
            return true;
        }
    }
    return false;
}

// Share of pixels of an icon that are not white.
double InkShare(const QIcon& icon, QSize size) {
    const QImage image = icon.pixmap(size).toImage();
    int ink = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            ink += image.pixelColor(x, y) != QColor(Qt::white) ? 1 : 0;
        }
    }
    return image.isNull() ? 0.0 : static_cast<double>(ink) / (image.width() * image.height());
}

TEST_F(SoilTableDialogTest, AnInsertedRowIsSavedAndTakenUpByTheProgram) {
    SoilTableDialog dialog(*frame, rave::SoilTableVariant::kJacic);
    dialog.show();
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("JACIC版土質名図模様の設定・登録"));
    ASSERT_GT(dialog.List()->model()->rowCount(), 10);
    dialog.List()->SetCurrentRow(2);  // 玉石
    dialog.Button(QStringLiteral("↑編集"))->click();
    EXPECT_EQ(dialog.NameField()->text(), QStringLiteral("玉石"));
    EXPECT_EQ(dialog.ClassGroup()->checkedId(), 1);
    Retype(dialog.NameField(), QStringLiteral("巨礫"));
    dialog.ClassGroup()->button(2)->click();
    Retype(dialog.LineNumberField(), QStringLiteral("3300"));
    Retype(dialog.BitmapNumberField(), QStringLiteral("3400"));
    dialog.Button(QStringLiteral("↓挿入"))->click();
    EXPECT_EQ(dialog.List()->model()->index(2, 0).data().toString(), QStringLiteral("巨礫"));
    EXPECT_EQ(dialog.List()->model()->index(2, 2).data().toString(), QStringLiteral("o"));
    dialog.accept();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);

    const std::string file = rave::testing::TempFolder::Read(installFolder / "WdtvxJG.mst");
    EXPECT_NE(file.find(Cp932("{礫・砂}\r\n巨礫,_,3300.2,3400.2,\r\n玉石,_,100.1,100.1,\r\n")),
              std::string::npos);
    EXPECT_TRUE(HasName(frame->Files().soilTables->jacic, Cp932("巨礫")));
}

TEST_F(SoilTableDialogTest, DisplaySettingsGoToTheSettingsFile) {
    SoilTableDialog dialog(*frame, rave::SoilTableVariant::kJacic);
    dialog.DisplayGroup()->button(1)->click();
    dialog.ColourGroup()->button(1)->click();
    Retype(dialog.LineWidthField(), QStringLiteral("3"));
    dialog.accept();
    EXPECT_EQ(FileSettingsLine(61), "1");
    EXPECT_EQ(FileSettingsLine(62), "1");
    EXPECT_EQ(FileSettingsLine(63), "2");  // the field shows the pen width, the file one less
    EXPECT_EQ(frame->Files().settings.Int(61), 1);
}

TEST_F(SoilTableDialogTest, ARowWithoutANameOrWithABadNumberIsRefused) {
    const auto before = InstallFiles();
    SoilTableDialog dialog(*frame, rave::SoilTableVariant::kJacic);
    const int rows = dialog.List()->model()->rowCount();
    dialog.Button(QStringLiteral("↓挿入"))->click();
    EXPECT_TRUE(SawText("データが無い、または不十分です."));
    Retype(dialog.NameField(), QStringLiteral("砂"));
    Retype(dialog.LineNumberField(), QStringLiteral("abc"));
    dialog.Button(QStringLiteral("↓挿入"))->click();
    EXPECT_TRUE(SawText("数値が異常です"));
    EXPECT_EQ(dialog.List()->model()->rowCount(), rows);
    dialog.reject();
    EXPECT_EQ(InstallFiles(), before);
}

TEST_F(SoilTableDialogTest, PatternListPicksIntoTheFieldAndThePreviewDrawsIt) {
    SoilTableDialog dialog(*frame, rave::SoilTableVariant::kJacic);
    dialog.show();
    QTableWidget* patterns = dialog.PatternList();
    ASSERT_GT(patterns->rowCount(), 50);  // the shipped colour table
    int row400 = -1;
    for (int r = 0; r < patterns->rowCount(); ++r) {
        if (patterns->item(r, 0)->text() == QStringLiteral("400")) {
            row400 = r;
        }
    }
    ASSERT_GE(row400, 0);
    patterns->setCurrentCell(row400, 0);
    EXPECT_EQ(dialog.LineNumberField()->text(), QStringLiteral("400"));
    dialog.LinePreview()->grab();
    EXPECT_TRUE(dialog.LinePreview()->DrewSomething());
    // An unknown pattern number draws nothing rather than something wrong.
    Retype(dialog.LineNumberField(), QStringLiteral("4444"));
    dialog.LinePreview()->grab();
    EXPECT_FALSE(dialog.LinePreview()->DrewSomething());
}

TEST_F(SoilTableDialogTest, EverySwatchOfBothShippedTablesHoldsItsPattern) {
    // The drawn patterns of the JACIC list and the tiles of both bitmap lists: each one shows ink
    // and none is filled solid. The colour table also lists Ravesect's own patterns, which
    // Ravelog does not draw: their swatches stay empty rather than show something else.
    SoilTableDialog jacic(*frame, rave::SoilTableVariant::kJacic);
    const QSize size = jacic.PatternList()->iconSize();
    ASSERT_GT(jacic.PatternList()->rowCount(), 0);
    for (int r = 0; r < jacic.PatternList()->rowCount(); ++r) {
        const long number = jacic.PatternList()->item(r, 0)->text().toLong();
        const double ink = InkShare(jacic.PatternList()->item(r, 3)->icon(), size);
        if (rave::IsKnownPattern(number) || (number >= 10000 && number <= 10002)) {
            EXPECT_GT(ink, 0.005) << number;
            EXPECT_LT(ink, 0.9) << number;
        } else {
            EXPECT_EQ(ink, 0.0) << number;
        }
    }
    SoilTableDialog simple(*frame, rave::SoilTableVariant::kSimple);
    EXPECT_EQ(simple.windowTitle(), QStringLiteral("シンプル版土質名図模様の設定・登録"));
    for (SoilTableDialog* dialog : {&jacic, &simple}) {
        QListWidget* tiles = dialog->BitmapList();
        ASSERT_GT(tiles->count(), 20);
        for (int i = 0; i < tiles->count(); ++i) {
            EXPECT_GT(InkShare(tiles->item(i)->icon(), size), 0.003) << tiles->item(i)->text().toStdString();
        }
    }
}

TEST_F(SoilTableDialogTest, SimpleTablePatternIsBothNumbersOfTheFile) {
    SoilTableDialog dialog(*frame, rave::SoilTableVariant::kSimple);
    EXPECT_EQ(dialog.BitmapNumberField(), nullptr);
    QListWidget* tiles = dialog.BitmapList();
    ASSERT_GT(tiles->count(), 0);
    EXPECT_EQ(tiles->item(0)->text(), QStringLiteral("c801"));
    Retype(dialog.NameField(), QStringLiteral("空洞2"));
    dialog.List()->SetCurrentRow(20);  // 空洞, the first of the markers
    tiles->setCurrentRow(0);
    EXPECT_EQ(dialog.LineNumberField()->text(), QStringLiteral("801"));
    dialog.ClassGroup()->button(0)->click();
    dialog.Button(QStringLiteral("↓挿入"))->click();
    dialog.accept();
    const std::string file = rave::testing::TempFolder::Read(installFolder / "WdtvxCS.mst");
    EXPECT_NE(file.find(Cp932("{記号}\r\n空洞2,_,801.0,801.0,\r\n空洞,_,801.0,801.0,")), std::string::npos)
        << file;
}

TEST_F(SoilTableDialogTest, WithNoRowChosenANewRowGoesBeforeTheEndLine) {
    SoilTableDialog dialog(*frame, rave::SoilTableVariant::kSimple);
    dialog.List()->SetCurrentRow(-1);
    Retype(dialog.NameField(), QStringLiteral("転石"));
    Retype(dialog.LineNumberField(), QStringLiteral("100"));
    dialog.Button(QStringLiteral("↓挿入"))->click();
    dialog.accept();
    const std::string file = rave::testing::TempFolder::Read(installFolder / "WdtvxCS.mst");
    EXPECT_NE(file.find(Cp932("転石,_,100.0,100.0,\r\n[終了]")), std::string::npos) << file;
}

TEST_F(SoilTableDialogTest, TheSimpleBlackAndWhiteChoiceLastsForTheRunAndReachesTheSheets) {
    const std::string line62 = FileSettingsLine(62);
    {
        SoilTableDialog dialog(*frame, rave::SoilTableVariant::kSimple);
        EXPECT_EQ(dialog.ColourGroup()->checkedId(), 0);
        dialog.ColourGroup()->button(1)->click();
        dialog.accept();
    }
    EXPECT_TRUE(frame->Files().simpleTilesMonochrome);
    EXPECT_TRUE(frame->Files().Resources().simpleTilesMonochrome);
    EXPECT_EQ(FileSettingsLine(62), line62);  // not a setting of the file
    // The JACIC dialog's OK reloads the tables; the choice stays, and the simple dialog shows it.
    SoilTableDialog jacic(*frame, rave::SoilTableVariant::kJacic);
    jacic.accept();
    EXPECT_TRUE(frame->Files().simpleTilesMonochrome);
    SoilTableDialog again(*frame, rave::SoilTableVariant::kSimple);
    EXPECT_EQ(again.ColourGroup()->checkedId(), 1);
}

TEST_F(SoilTableDialogTest, TheBitmapFolderIsCp932TextBothWays) {
    const std::string folder = Cp932("D:\\土質\\Cbptn");
    frame->Files().settings.Line(65) = folder;
    SoilTableDialog dialog(*frame, rave::SoilTableVariant::kSimple);
    EXPECT_EQ(dialog.BitmapFolderField()->text(), QStringLiteral("D:\\土質\\Cbptn"));
    dialog.accept();
    EXPECT_EQ(FileSettingsLine(65), folder);
    EXPECT_EQ(frame->Files().settings.Line(65), folder);
}

TEST_F(SoilTableDialogTest, OkKeepsTheSettingsInMemoryWhenTheFileCannotBeWritten) {
    // A folder where the settings file should be: nothing can be written or read there.
    fs::remove(installFolder / "Sys.ndx");
    fs::create_directory(installFolder / "Sys.ndx");
    frame->Files().settings.Line(68) = "kept";
    frame->Files().settings.SetInt(61, 1);
    SoilTableDialog dialog(*frame, rave::SoilTableVariant::kJacic);
    dialog.ColourGroup()->button(1)->click();
    dialog.accept();
    EXPECT_TRUE(SawText("設定ファイルを保存できませんでした"));
    EXPECT_EQ(frame->Files().settings.Line(68), "kept");
    EXPECT_EQ(frame->Files().settings.Int(61), 1);
    EXPECT_EQ(frame->Files().settings.Int(62), 1);
    // Any later reload of the tables and fonts (the font dialog's OK does the same) keeps them.
    frame->ReloadSettings();
    EXPECT_EQ(frame->Files().settings.Line(68), "kept");
}

TEST_F(SoilTableDialogTest, Screenshots) {
    SoilTableDialog jacic(*frame, rave::SoilTableVariant::kJacic);
    jacic.List()->SetCurrentRow(5);
    jacic.Button(QStringLiteral("↑編集"))->click();
    Screenshot(jacic, "ravelog-jacic-soil-names.png");
    SoilTableDialog simple(*frame, rave::SoilTableVariant::kSimple);
    simple.List()->SetCurrentRow(5);
    simple.Button(QStringLiteral("↑編集"))->click();
    Screenshot(simple, "ravelog-simple-soil-names.png");
}

}  // namespace
}  // namespace ravelog::app::testing
