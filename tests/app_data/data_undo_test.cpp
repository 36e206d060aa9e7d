// The data menu over the main window: each menu action opens its dialog, a confirmed dialog is
// one undoable step that restores the document exactly (and the saved state's modified flag),
// and dialogs that change nothing leave no step behind.
#include <QAction>
#include <QCheckBox>
#include <QDialog>
#include <QLineEdit>
#include <QSettings>
#include <QUndoStack>

#include "data_dialog_test_support.h"
#include "modal_dialogs.h"
#include "platform/install_folder.h"
#include "ravelog/app/conversion_settings_dialog.h"
#include "ravelog/app/header_dialog.h"
#include "ravelog/app/main_frame.h"
#include "ravelog/app/nsw_average_dialog.h"
#include "ravelog/app/page_footer_dialog.h"
#include "settings_sandbox.h"
#include "temp_folder.h"

namespace ravelog::app {
namespace {

namespace fs = std::filesystem;
using namespace testing;

bool SameTables(const SoundingDocument& a, const SoundingDocument& b) {
    if (a.header.slots != b.header.slots) {
        return false;
    }
    for (int i = 1; i <= kMaxRows; ++i) {
        if (a.Row(i).fields != b.Row(i).fields || a.Conversion(i).fields != b.Conversion(i).fields) {
            return false;
        }
    }
    return true;
}

class DataUndoTest : public ::testing::Test {
protected:
    DataUndoTest() {
        TestApplication();
        rave::testing::KeepSettingsIn(temp.path() / "settings");
        std::string error;
        const fs::path install = temp.path() / "install";
        EXPECT_TRUE(rave::platform::CreateInstallFolder(install, fs::path(RAVE_SOURCE_DIR) / "data", error))
            << error;
        ResetCurrentSounding();
        frame = std::make_unique<MainFrame>(install, &messages);
        EXPECT_TRUE(
            frame->OpenThroughFramework(fs::path(RAVE_SOURCE_DIR) / "examples" / "example-short.sdw"));
    }

    rave::testing::TempFolder temp;
    rave::RecordingMessageSink messages;
    std::unique_ptr<MainFrame> frame;
};

// Answers a dialog by typing into one field and pressing OK.
DialogRunner TypeAndConfirm(const char* field, QString text) {
    return [field, text](QDialog& dialog) {
        Type(Named<QWidget>(dialog, field), text);
        Click(dialog, "ok");
        return dialog.result();
    };
}

TEST_F(DataUndoTest, HeaderEditIsOneUndoableStep) {
    const SoundingDocument saved = frame->Document();
    ASSERT_FALSE(saved.modified);
    EditHeader(*frame, TypeAndConfirm("slot1", QStringLiteral("新しい件名")));
    EXPECT_EQ(frame->Document().header[1], Cp("新しい件名"));
    EXPECT_TRUE(frame->Document().modified);
    EXPECT_TRUE(frame->isWindowModified());
    const SoundingDocument edited = frame->Document();
    ASSERT_EQ(frame->UndoStack()->count(), 1);
    EXPECT_EQ(frame->UndoStack()->undoText(), QStringLiteral("見出し"));

    frame->UndoStack()->undo();
    EXPECT_TRUE(SameTables(frame->Document(), saved));
    EXPECT_FALSE(frame->Document().modified);
    EXPECT_FALSE(frame->isWindowModified());
    frame->UndoStack()->redo();
    EXPECT_TRUE(SameTables(frame->Document(), edited));
    EXPECT_TRUE(frame->Document().modified);
}

TEST_F(DataUndoTest, ConversionEditUndoRestoresTheConversionTable) {
    const SoundingDocument before = frame->Document();
    // N sandy b: every sandy row's converted N changes.
    EditConversions(*frame, TypeAndConfirm("slot44", QStringLiteral("7")));
    EXPECT_EQ(frame->Document().header[44], "7");
    bool conversionsChanged = false;
    for (int i = 1; i <= frame->Document().RowCount(); ++i) {
        conversionsChanged |= frame->Document().Conversion(i).fields != before.Conversion(i).fields;
    }
    EXPECT_TRUE(conversionsChanged);
    frame->UndoStack()->undo();
    EXPECT_TRUE(SameTables(frame->Document(), before));
}

TEST_F(DataUndoTest, UndoAndRedoGiveTheSavedFilesByteForByte) {
    // 1350 rows: every step holds only its change, and every state saves exactly as it was.
    const fs::path file = temp.path() / "long.sdw";
    fs::copy_file(fs::path(RAVE_SOURCE_DIR) / "examples" / "example-long.sdw", file);
    ASSERT_TRUE(frame->OpenThroughFramework(file));
    const auto saved = [&] {
        EXPECT_TRUE(frame->Save());
        return rave::testing::TempFolder::Read(file);
    };
    const std::string original = saved();
    EditHeader(*frame, TypeAndConfirm("slot1", QStringLiteral("新しい件名")));
    EditConversions(*frame, TypeAndConfirm("slot44", QStringLiteral("7")));
    EditPageFooter(*frame, TypeAndConfirm("startPage1", QStringLiteral("7")));
    ASSERT_EQ(frame->UndoStack()->count(), 3);
    const std::string edited = saved();
    ASSERT_NE(edited, original);

    for (int i = 0; i < 3; ++i) {
        frame->UndoStack()->undo();
    }
    EXPECT_EQ(saved(), original);
    for (int i = 0; i < 3; ++i) {
        frame->UndoStack()->redo();
    }
    EXPECT_EQ(saved(), edited);
}

TEST_F(DataUndoTest, DialogsThatChangeNothingLeaveNoStep) {
    const auto cancel = [](QDialog& dialog) {
        Click(dialog, "cancel");
        return dialog.result();
    };
    const auto confirm = [](QDialog& dialog) {
        Click(dialog, "ok");
        return dialog.result();
    };
    EditHeader(*frame, cancel);
    EditHeader(*frame, confirm);
    EditConversions(*frame, cancel);
    ShowNswAverage(*frame, confirm);
    EditPageFooter(*frame, cancel);
    EXPECT_EQ(frame->UndoStack()->count(), 0);
    EXPECT_FALSE(frame->Document().modified);

    EditPageFooter(*frame, TypeAndConfirm("startPage1", QStringLiteral("7")));
    EXPECT_EQ(frame->Document().header[72], "7");
    EXPECT_EQ(frame->UndoStack()->count(), 1);
    EXPECT_TRUE(frame->Document().modified);
}

TEST_F(DataUndoTest, MenuActionsOpenTheirDialogs) {
    const std::pair<int, QString> commands[] = {
        {command_id::kHeader, QStringLiteral("スゥェーデン見出し")},
        {command_id::kConversionSettings, QStringLiteral("換算値 係数と表示")},
        {command_id::kNswAverage, QStringLiteral("Nsw平均値と長期許容支持力qa~")},
        {command_id::kPageFooter, QStringLiteral("ページ フッタ")},
    };
    for (const auto& [id, title] : commands) {
        QString opened;
        const auto answer = rave::testing::WhenModalOpens<QDialog>([&opened](QDialog& dialog) {
            opened = dialog.windowTitle();
            dialog.reject();
        });
        frame->Action(id)->trigger();
        EXPECT_EQ(opened, title) << id;
    }
    EXPECT_EQ(frame->UndoStack()->count(), 0);
}

}  // namespace
}  // namespace ravelog::app
