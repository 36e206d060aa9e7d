// The commands of the data, settings and help menus. The main window creates every menu action
// (text, command id, status tip) and calls these once; each connects the actions of its own
// dialogs, so the dialogs stay out of the main window's code.
#pragma once

namespace ravelog::app {

class MainFrame;

// 見出し, 換算値 係数と表示, Nsw- 長期qa, ページ.
void InstallDataCommands(MainFrame& frame);
// 測定データ and the two imports of the file menu.
void InstallRowAndImportCommands(MainFrame& frame);
// 様式 桁数, 線種, 換算係数, マージン, the masters and the soil-name tables.
void InstallSettingsCommands(MainFrame& frame);
// フォント, キーの動作 and 操作＆ヘルプ, whose dialogs both programs share.
void InstallSharedSettingsCommands(MainFrame& frame);

}  // namespace ravelog::app
