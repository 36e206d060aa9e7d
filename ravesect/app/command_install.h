// The commands of the data, settings and help menus. The main window creates every menu action
// (text, command id, status tip) and calls these once, after the view exists; each connects the
// actions of its own dialogs, so the dialogs stay out of the main window's code.
#pragma once

namespace ravesect::app {

class SectionFrame;

// ｽｳｪｰﾃﾞﾝ、柱状図ﾌｧｲﾙ (placement), 縮尺/標尺, 様式, 柱状図パターン, フォント, キーの動作,
// セットアップ and 操作＆ヘルプ.
void InstallPlacementAndSettingsCommands(SectionFrame& frame);
// 作図/点, 作図/層, 地層の推定 and 標題記事 with their mouse editing, and the undo of those edits.
void InstallEditingCommands(SectionFrame& frame);

}  // namespace ravesect::app
