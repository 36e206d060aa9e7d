// Connects 測定データ and the two imports of the file menu (see command_install.h).
#include <QAction>

#include "ravelog/app/command_install.h"
#include "ravelog/app/import_dialog.h"
#include "ravelog/app/main_frame.h"
#include "ravelog/app/measured_row_dialog.h"

namespace ravelog::app {

void InstallRowAndImportCommands(MainFrame& frame) {
    MainFrame* target = &frame;
    QObject::connect(frame.Action(command_id::kMeasuredRows), &QAction::triggered, target,
                     [target] { EditMeasuredRows(*target); });
    QObject::connect(frame.Action(command_id::kImportCsv), &QAction::triggered, target,
                     [target] { ImportForeignFile(*target, ImportMode::kComma); });
    QObject::connect(frame.Action(command_id::kImportSpace), &QAction::triggered, target,
                     [target] { ImportForeignFile(*target, ImportMode::kBlank); });
}

}  // namespace ravelog::app
