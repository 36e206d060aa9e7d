// Connects the data menu: 見出し, 換算値 係数と表示, Nsw- 長期qa and ページ (see command_install.h).
#include <QAction>

#include "ravelog/app/command_install.h"
#include "ravelog/app/conversion_settings_dialog.h"
#include "ravelog/app/header_dialog.h"
#include "ravelog/app/main_frame.h"
#include "ravelog/app/nsw_average_dialog.h"
#include "ravelog/app/page_footer_dialog.h"

namespace ravelog::app {

void InstallDataCommands(MainFrame& frame) {
    MainFrame* target = &frame;
    QObject::connect(frame.Action(command_id::kHeader), &QAction::triggered, target,
                     [target] { EditHeader(*target); });
    QObject::connect(frame.Action(command_id::kConversionSettings), &QAction::triggered, target,
                     [target] { EditConversions(*target); });
    QObject::connect(frame.Action(command_id::kNswAverage), &QAction::triggered, target,
                     [target] { ShowNswAverage(*target); });
    QObject::connect(frame.Action(command_id::kPageFooter), &QAction::triggered, target,
                     [target] { EditPageFooter(*target); });
}

}  // namespace ravelog::app
