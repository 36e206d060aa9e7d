// Every action of the 設定 menu that this group owns opens its own dialog, modal over the main
// window, and a cancelled dialog changes no file of the install folder.
#include <QAction>

#include "modal_dialogs.h"
#include "settings_dialog_fixture.h"

namespace ravelog::app::testing {
namespace {

using SettingsMenuTest = SettingsDialogTest;

TEST_F(SettingsMenuTest, EachActionOpensItsDialogAndCancelChangesNothing) {
    const struct {
        int id;
        QString title;
    } cases[] = {
        {command_id::kFormatDecimals, QStringLiteral("様式/桁数")},
        {command_id::kLineTypes, QStringLiteral("線種")},
        {command_id::kDefaultCoefficients, QStringLiteral("新規作成時用の初期設定値")},
        {command_id::kMargins, QStringLiteral("マージン")},
        {command_id::kTechnicians, QStringLiteral("マスタファイル - 技術者マスタファイル")},
        {command_id::kShortTexts, QStringLiteral("マスタファイル - 記事短文マスタファイル")},
        {command_id::kJacicSoilNames, QStringLiteral("JACIC版土質名図模様の設定・登録")},
        {command_id::kSimpleSoilNames, QStringLiteral("シンプル版土質名図模様の設定・登録")},
    };
    const auto before = InstallFiles();
    for (const auto& c : cases) {
        QString seen;
        const auto answer = rave::testing::WhenModalOpens<QDialog>([&seen](QDialog& dialog) {
            seen = dialog.windowTitle();
            dialog.reject();
        });
        ASSERT_NE(frame->Action(c.id), nullptr);
        frame->Action(c.id)->trigger();
        EXPECT_EQ(seen, c.title) << c.id;
    }
    EXPECT_EQ(InstallFiles(), before);
    EXPECT_TRUE(messages.shown.empty());
}

}  // namespace
}  // namespace ravelog::app::testing
