// The settings commands of Ravesect's window, end to end: the menu action opens the dialog, the
// dialog is filled as a user would, and the working files, settings files and view follow.
#include <QAction>
#include <QPushButton>
#include <QUndoStack>
#include <cstdlib>

#include <gtest/gtest.h>

#include "ravesect/app/dialog_hooks.h"
#include "ravesect/app/format_dialog.h"
#include "ravesect/app/placement_dialog.h"
#include "ravesect/app/scale_dialog.h"
#include "ravesect/app/section_edit_commands.h"
#include "ravesect/app/section_frame.h"
#include "ravesect/app/section_view.h"
#include "ravesect/app/setup_dialog.h"
#include "ravesect/editing/working_file_snapshot.h"
#include "sect_dialog_support.h"

namespace ravesect::app {
namespace {

using rave::testing::TempFolder;
using ravesect::testing::ExampleLog;
using ravesect::testing::ShownText;
using ravesect::testing::TypeInto;

class FrameCommandsTest : public ::testing::Test {
protected:
    FrameCommandsTest() {
        rave::platform::testing::TestApplication();
        ResetCurrentSection();
        std::filesystem::create_directories(install());
        frame = std::make_unique<SectionFrame>(install(), &messages);
        messages.shown.clear();
    }
    ~FrameCommandsTest() override {
        ResetSettingsCommandHooks();
        frame.reset();
        ResetCurrentSection();
    }
    std::filesystem::path install() const { return folder.path() / "Sver5"; }
    // The next dialog the commands open is handed to `fill`, which presses its buttons.
    template <typename Dialog>
    void OnDialog(std::function<void(Dialog&)> fill) {
        CurrentSettingsCommandHooks().runDialog = [fill](QDialog& dialog) {
            auto* typed = dynamic_cast<Dialog*>(&dialog);
            EXPECT_NE(typed, nullptr);
            if (typed != nullptr) {
                dialog.show();
                fill(*typed);
            }
            return dialog.result();
        };
    }
    std::string Bytes(const char* name) const { return TempFolder::Read(install() / name); }
    // The section as its working files now hold it.
    SectionDocument ReadBack() const {
        SectionDocument document;
        ReloadSectionDocument(document, WorkingFiles::In(install()));
        return document;
    }

    TempFolder folder;
    rave::RecordingMessageSink messages;
    std::unique_ptr<SectionFrame> frame;
};

TEST_F(FrameCommandsTest, PlacementOfThreeLogsGivesThreeColumnsInTheFileAndTheView) {
    OnDialog<PlacementDialog>([](PlacementDialog& dialog) {
        const std::pair<const char*, const char*> logs[] = {
            {"section/B-1.jdw", "0"}, {"section/B-2.ddw", "12"}, {"example-short.sdw", "25"}};
        for (const auto& [log, distance] : logs) {
            dialog.OpenSourcePath(QString::fromStdString(ExampleLog(log).string()));
            TypeInto(dialog.DistanceBox(), QString::fromUtf8(distance));
            QTest::mouseClick(dialog.AddButton(), Qt::LeftButton);
        }
        QTest::mouseClick(dialog.OkButton(), Qt::LeftButton);
    });
    frame->Action(command_id::kPlacement)->trigger();
    EXPECT_TRUE(messages.shown.empty()) << ShownText(messages);

    SectionDocument fromFile;
    ReadColumnsFile(WorkingFiles::In(install()), fromFile);
    int withFiles = 0;
    for (int slot = 0; slot < kColumnSlots; ++slot) {
        withFiles += fromFile.Column(slot).NamesFile() ? 1 : 0;
    }
    EXPECT_EQ(withFiles, 3);
    EXPECT_EQ(frame->Document().Column(3)[colfield::kDistance], "25.00");
    EXPECT_TRUE(frame->Document().modified);

    // Drawing the view records what it drew: logs from 0 m to the closing column at 35 m.
    frame->resize(900, 700);
    frame->show();
    frame->View()->grab();
    EXPECT_TRUE(frame->Extent().hasLogs);
    EXPECT_DOUBLE_EQ(frame->Extent().firstDistance, 0.0);
    EXPECT_DOUBLE_EQ(frame->Extent().lastDistance, 35.0);
}

TEST_F(FrameCommandsTest, ScaleCancelLeavesTheFilesAsTheyWereAndOkWritesTheSettingsLine) {
    WriteSettingsFile(frame->Files(), frame->Document().settings, messages);
    const std::string before = Bytes("Tmp0.tmp");
    ASSERT_FALSE(before.empty());
    OnDialog<ScaleSettingsDialog>([](ScaleSettingsDialog& dialog) {
        TypeInto(dialog.Field(ScaleField::kDistanceScale), QStringLiteral("250"));
        dialog.reject();
    });
    frame->Action(command_id::kScale)->trigger();
    EXPECT_EQ(Bytes("Tmp0.tmp"), before);
    // OK without a change leaves the section unmodified.
    frame->Document().modified = false;
    OnDialog<ScaleSettingsDialog>([](ScaleSettingsDialog& dialog) {
        dialog.accept();
        EXPECT_EQ(dialog.result(), QDialog::Accepted);
    });
    frame->Action(command_id::kScale)->trigger();
    EXPECT_FALSE(frame->Document().modified);
    EXPECT_EQ(Bytes("Tmp0.tmp"), before);

    OnDialog<ScaleSettingsDialog>([](ScaleSettingsDialog& dialog) {
        TypeInto(dialog.Field(ScaleField::kDistanceScale), QStringLiteral("250"));
        TypeInto(dialog.Field(ScaleField::kDistancePerPage), QStringLiteral("10"));
        TypeInto(dialog.Field(ScaleField::kPageOverlapDistance), QStringLiteral("0"));
        dialog.accept();
    });
    frame->Action(command_id::kScale)->trigger();
    EXPECT_EQ(frame->Document().settings.distanceScale, 250);
    EXPECT_EQ(Bytes("Tmp0.tmp").substr(0, 4), "250,");
}

TEST_F(FrameCommandsTest, ScaleOkWithANewOriginShowsItsPageAtOnce) {
    struct Case {
        const char* leftEnd;
        const char* topElevation;
    };
    for (const Case& c : {Case{"30", "12"}, Case{"30", "-6"}, Case{"-20", "-6"}}) {
        SCOPED_TRACE(c.leftEnd);
        OnDialog<ScaleSettingsDialog>([c](ScaleSettingsDialog& dialog) {
            TypeInto(dialog.Field(ScaleField::kLeftEnd), QString::fromUtf8(c.leftEnd));
            TypeInto(dialog.Field(ScaleField::kTopElevation), QString::fromUtf8(c.topElevation));
            dialog.accept();
        });
        frame->Action(command_id::kScale)->trigger();
        EXPECT_TRUE(messages.shown.empty()) << ShownText(messages);
        EXPECT_DOUBLE_EQ(frame->Position().shownLeftEnd, std::atof(c.leftEnd));
        EXPECT_DOUBLE_EQ(frame->Position().shownTop, std::atof(c.topElevation));
    }
}

TEST_F(FrameCommandsTest, FormatSheetOkRewritesSysqAndCancelDoesNot) {
    const std::string before = Bytes("Sysq.ndx");
    OnDialog<FormatSheetDialog>([](FormatSheetDialog& dialog) {
        TypeInto(dialog.Box(sysqline::kFlagLength), QStringLiteral("40"));
        dialog.reject();
    });
    frame->Action(command_id::kFormat)->trigger();
    EXPECT_EQ(Bytes("Sysq.ndx"), before);

    OnDialog<FormatSheetDialog>([](FormatSheetDialog& dialog) {
        TypeInto(dialog.Box(sysqline::kFlagLength), QStringLiteral("40"));
        dialog.accept();
    });
    frame->Action(command_id::kFormat)->trigger();
    EXPECT_EQ(frame->Sysq().Line(sysqline::kFlagLength), "40");
    const auto back = ReadSysqFile(SysqFilePath(install()), install());
    ASSERT_TRUE(back.has_value());
    EXPECT_EQ(back->Line(sysqline::kFlagLength), "40");
}

TEST_F(FrameCommandsTest, EveryCommittedEditIsOneUndoStepThatPutsTheFilesBack) {
    ASSERT_TRUE(frame->OpenThroughFramework(ExampleLog("section/example-section.sqw")));
    const std::filesystem::path files[] = {install() / "Tmp0.tmp", install() / "Tmp1.tmp",
                                           install() / "TmpP.tmp", install() / "SmpP.tmp",
                                           install() / "Sysq.ndx"};
    const auto state = [&] {
        std::vector<WorkingFileSnapshot> snapshots;
        for (const std::filesystem::path& file : files) {
            snapshots.push_back(TakeSnapshot(file));
        }
        return snapshots;
    };
    const std::pair<const char*, std::function<void()>> edits[] = {
        {"placement",
         [&] {
             OnDialog<PlacementDialog>([](PlacementDialog& dialog) {
                 dialog.OpenSourcePath(QString::fromStdString(ExampleLog("example-short.sdw").string()));
                 TypeInto(dialog.DistanceBox(), QStringLiteral("33"));
                 QTest::mouseClick(dialog.AddButton(), Qt::LeftButton);
                 QTest::mouseClick(dialog.OkButton(), Qt::LeftButton);
             });
             frame->Action(command_id::kPlacement)->trigger();
         }},
        {"scale",
         [&] {
             OnDialog<ScaleSettingsDialog>([](ScaleSettingsDialog& dialog) {
                 TypeInto(dialog.Field(ScaleField::kDistanceScale), QStringLiteral("250"));
                 dialog.accept();
             });
             frame->Action(command_id::kScale)->trigger();
         }},
        {"format",
         [&] {
             OnDialog<FormatSheetDialog>([](FormatSheetDialog& dialog) {
                 TypeInto(dialog.Box(sysqline::kFlagLength), QStringLiteral("40"));
                 dialog.accept();
             });
             frame->Action(command_id::kFormat)->trigger();
         }},
        {"figure move", [&] { frame->Action(command_id::kFigureUp)->trigger(); }},
        {"titles",
         [&] {
             CommitWorkingFile(*frame, EditedFile::kTitles, QStringLiteral("標題記事"), [this] {
                 frame->Document().Title(2) = {10.0, 1.0, "new", "1"};
                 return WriteTitlesFile(frame->Files(), frame->Document(), messages);
             });
         }},
    };
    for (const auto& [name, edit] : edits) {
        SCOPED_TRACE(name);
        frame->UndoStack()->clear();
        const std::vector<WorkingFileSnapshot> before = state();
        edit();
        EXPECT_TRUE(messages.shown.empty()) << ShownText(messages);
        ASSERT_EQ(frame->UndoStack()->count(), 1);
        const std::vector<WorkingFileSnapshot> after = state();
        ASSERT_NE(after, before);
        EXPECT_TRUE(frame->Document().modified);

        frame->UndoStack()->undo();
        EXPECT_EQ(state(), before);
        EXPECT_FALSE(frame->Document().modified);
        frame->UndoStack()->redo();
        EXPECT_EQ(state(), after);
        EXPECT_TRUE(frame->Document().modified);
        frame->UndoStack()->undo();
        EXPECT_EQ(state(), before);
    }
    // What the window shows follows the files: the scale of the settings line, the titles.
    EXPECT_EQ(frame->Document().settings.distanceScale, ReadBack().settings.distanceScale);
    EXPECT_EQ(frame->Document().Title(2).text, ReadBack().Title(2).text);
    const auto sysq = ReadSysqFile(SysqFilePath(install()), install());
    ASSERT_TRUE(sysq.has_value());
    EXPECT_EQ(frame->Sysq().Line(sysqline::kFlagLength), sysq->Line(sysqline::kFlagLength));
    EXPECT_NE(frame->Sysq().Line(sysqline::kFlagLength), "40");
}

TEST_F(FrameCommandsTest, SetupMovesTheProgramToTheNewLocation) {
#ifdef _WIN32
    // Windows' setup names the system's real drives and writes the pointer file there, which a
    // test must not do to the machine it runs on.
    GTEST_SKIP() << "drive letters are the system's own on Windows";
#endif
    const rave::platform::DriveFolders drives{folder.path() / "home", folder.path() / "current"};
    CurrentSettingsCommandHooks().driveFolders = [drives] { return drives; };
    OnDialog<SetupDialog>([](SetupDialog& dialog) {
        TypeInto(dialog.DriveBox(), QStringLiteral("C"));
        TypeInto(dialog.FolderBox(), QStringLiteral("\\moved"));
        dialog.accept();
    });
    // An edit of the old folder's working files can no longer be undone there.
    CommitWorkingFile(*frame, EditedFile::kTitles, QStringLiteral("標題記事"), [this] {
        frame->Document().Title(1) = {10.0, 1.0, "old", "1"};
        return WriteTitlesFile(frame->Files(), frame->Document(), messages);
    });
    ASSERT_EQ(frame->UndoStack()->count(), 1);
    frame->Action(command_id::kSetup)->trigger();
    EXPECT_EQ(frame->InstallFolder(), folder.path() / "home" / "moved");
    EXPECT_EQ(frame->UndoStack()->count(), 0);
    EXPECT_TRUE(std::filesystem::exists(folder.path() / "home" / "moved" / "Sysq.ndx"))
        << ShownText(messages);
}

}  // namespace
}  // namespace ravesect::app
