// Connects the actions of the 設定 menu's own dialogs (see command_install.h): 様式 桁数, 線種,
// 換算係数, マージン, the two masters and the two soil-name tables. Each dialog commits its own
// values (files rewritten, program updated, view redrawn) when the user presses OK.
#include <QAction>
#include <memory>

#include "ravelog/app/command_install.h"
#include "ravelog/app/default_coefficients_dialog.h"
#include "ravelog/app/format_decimals_dialog.h"
#include "ravelog/app/line_types_dialog.h"
#include "ravelog/app/main_frame.h"
#include "ravelog/app/margins_dialog.h"
#include "ravelog/app/master_editor_dialog.h"
#include "ravelog/app/soil_table_dialog.h"

namespace ravelog::app {

namespace {

template <typename Make>
void Connect(MainFrame& frame, int commandId, Make make) {
    QAction* action = frame.Action(commandId);
    if (action == nullptr) {
        return;
    }
    QObject::connect(action, &QAction::triggered, &frame, [&frame, make] {
        auto dialog = make(frame);
        dialog->exec();
    });
}

}  // namespace

void InstallSettingsCommands(MainFrame& frame) {
    Connect(frame, command_id::kFormatDecimals, [](MainFrame& f) {
        return std::make_unique<FormatDecimalsDialog>(f, RunDepthDecimalsReminder(), &f);
    });
    Connect(frame, command_id::kLineTypes,
            [](MainFrame& f) { return std::make_unique<LineTypesDialog>(f, &f); });
    Connect(frame, command_id::kDefaultCoefficients,
            [](MainFrame& f) { return std::make_unique<DefaultCoefficientsDialog>(f, &f); });
    Connect(frame, command_id::kMargins, [](MainFrame& f) { return std::make_unique<MarginsDialog>(f, &f); });
    Connect(frame, command_id::kTechnicians, [](MainFrame& f) {
        return std::make_unique<MasterEditorDialog>(f, rave::MasterKind::kTechnicians, &f);
    });
    Connect(frame, command_id::kShortTexts, [](MainFrame& f) {
        return std::make_unique<MasterEditorDialog>(f, rave::MasterKind::kShortTexts, &f);
    });
    Connect(frame, command_id::kJacicSoilNames, [](MainFrame& f) {
        return std::make_unique<SoilTableDialog>(f, rave::SoilTableVariant::kJacic, &f);
    });
    Connect(frame, command_id::kSimpleSoilNames, [](MainFrame& f) {
        return std::make_unique<SoilTableDialog>(f, rave::SoilTableVariant::kSimple, &f);
    });
}

}  // namespace ravelog::app
