// Ravesect for a user whose folder name is not ASCII (C:\Users\山田\ on a Japanese Windows): the
// install folder, the recovery folder and the documents all lie under "山田". The window must
// take its working files (not open read-only), keep its autosave copy, save the document and move
// its install folder there as anywhere else.
#include <gtest/gtest.h>

#include <filesystem>

#include "common/path_text.h"
#include "platform/folder_lock.h"
#include "platform/install_folder.h"
#include "ravesect/app/ravesect_application.h"
#include "ravesect/app/section_frame.h"
#include "settings_sandbox.h"
#include "temp_folder.h"
#include "tests/platform/qt_test_application.h"

namespace ravesect::app {
namespace {

namespace fs = std::filesystem;
using rave::testing::TempFolder;

bool HoldsFiles(const fs::path& folder) {
    std::error_code error;
    return fs::exists(folder, error) && !fs::is_empty(folder, error);
}

TEST(JapaneseUserFolder, TheWindowWorksWithEveryFolderUnderAJapaneseName) {
    rave::platform::testing::TestApplication();
    TempFolder temp;
    const fs::path user = temp.path() / rave::PathFromUtf8("山田");
    rave::testing::KeepSettingsIn(user / "AppData" / "Roaming");
    const fs::path data = fs::path(RAVE_SOURCE_DIR) / "data";
    const fs::path install = user / "Kelvard" / "Sver5";
    std::string error;
    ASSERT_TRUE(rave::platform::CreateInstallFolder(install, data, error)) << error;
    const fs::path recovery = user / "AppData" / "Local" / "Ravesect" / "recovery";
    const fs::path document = user / rave::PathFromUtf8("ドキュメント") / rave::PathFromUtf8("断面.sqw");
    fs::create_directories(document.parent_path());
    fs::copy_file(fs::path(RAVE_SOURCE_DIR) / "examples" / "section" / "example-section.sqw", document);

    ResetCurrentSection();
    rave::RecordingMessageSink messages;
    SectionFrame frame(install, &messages);
    rave::platform::RecoverySession session("Ravesect", ".sqw", recovery);
    ASSERT_EQ(TakeWorkingFiles(frame, session, WorkingFilesLockPath(install)), WorkingFilesAccess::kOwn);
    EXPECT_FALSE(frame.WorkingFilesReadOnly());
    EXPECT_TRUE(fs::exists(WorkingFilesLockPath(install)));
    // A second start finds the folder held by a running program, not a lock it cannot make.
    EXPECT_EQ(rave::platform::FolderLock::Take(WorkingFilesLockPath(install), session.OwnRecord()).state,
              rave::platform::FolderLockState::kHeldByOther);

    frame.AttachRecovery(&session);
    ASSERT_TRUE(frame.OpenThroughFramework(document));
    frame.MoveFigure(FigureMove::kLeft);
    ASSERT_TRUE(session.WriteNow());
    EXPECT_TRUE(HoldsFiles(recovery));
    ASSERT_TRUE(frame.Save());
    EXPECT_NE(TempFolder::Read(document),
              TempFolder::Read(fs::path(RAVE_SOURCE_DIR) / "examples" / "section" / "example-section.sqw"));
    EXPECT_FALSE(HoldsFiles(recovery));  // saved: the copy went

    // セットアップ moves the install folder to another one under the same user.
    const fs::path moved = user / "Kelvard" / rave::PathFromUtf8("新しい場所");
    ASSERT_TRUE(rave::platform::CreateInstallFolder(moved, data, error)) << error;
    EXPECT_TRUE(frame.MoveInstallFolder(moved));
    EXPECT_TRUE(fs::exists(WorkingFilesLockPath(moved)));
    EXPECT_TRUE(messages.shown.empty()) << messages.shown.front().argument;
}

}  // namespace
}  // namespace ravesect::app
