// The placement dialog and the settings and help commands of Ravesect's window: each action opens
// its dialog over the frame's document and settings, and after OK writes what the dialog changed
// and tells the frame what to read again.
#include <QAction>

#include "platform/enter_key_dialog.h"
#include "platform/font_settings_dialog.h"
#include "platform/help_dialog.h"
#include "ravesect/app/command_install.h"
#include "ravesect/app/dialog_hooks.h"
#include "ravesect/app/format_dialog.h"
#include "ravesect/app/pattern_settings_dialog.h"
#include "ravesect/app/placement_dialog.h"
#include "ravesect/app/scale_dialog.h"
#include "ravesect/app/section_dialog_bindings.h"
#include "ravesect/app/section_edit_commands.h"
#include "ravesect/app/section_frame.h"
#include "ravesect/app/setup_dialog.h"
#include "ravesect/settings/section_paper.h"

namespace ravesect::app {

namespace {

SettingsCommandHooks DefaultHooks() {
    return SettingsCommandHooks{[](QDialog& dialog) { return dialog.exec(); },
                                [] { return rave::platform::CurrentDriveFolders(); }};
}

int Run(QDialog& dialog) {
    return CurrentSettingsCommandHooks().runDialog(dialog);
}

// Rewrites "Sysq.ndx" from the frame's settings; false after the message when it cannot.
bool SaveSysq(SectionFrame& frame) {
    if (SaveSysqSettings(frame.InstallFolder(), frame.Sysq())) {
        return true;
    }
    frame.Messages().Show(rave::platform::SettingsNotSavedMessage(SysqFilePath(frame.InstallFolder())));
    return false;
}

// After "Sysq.ndx" changed in memory: saved and read again, or, when it could not be written,
// kept in memory for this run and shown.
void SysqChanged(SectionFrame& frame) {
    if (SaveSysq(frame)) {
        frame.ReloadSettings();
    } else {
        frame.RefreshView();
    }
}

void RunPlacement(SectionFrame& frame) {
    const SysqEnterKeyBinding enterKey(frame.Sysq(), frame.InstallFolder());
    const SectionSettings before = frame.Document().settings;
    PlacementDialog dialog(frame.InstallFolder(), frame.Messages(), frame.Document(), frame.Files(), &frame,
                           enterKey.Behaviour());
    // The dialog writes the column and settings files on OK: that is one undoable step.
    bool applied = false;
    CommitSectionEdit(frame, QStringLiteral("配置"), [&] {
        applied = Run(dialog) == QDialog::Accepted && dialog.Applied();
        return applied;
    });
    if (applied) {
        frame.SettingsOrColumnsRewritten();
        // The first placement fits the ruler and the top elevation to the logs: show that page.
        const SectionSettings& after = frame.Document().settings;
        if (after.topElevation != before.topElevation || after.leftEnd != before.leftEnd) {
            const bool printing = frame.Position().printing;
            frame.Position() = SectionViewPosition::AtSettings(after);
            frame.Position().printing = printing;
            frame.RefreshView();
        }
    }
}

void RunScale(SectionFrame& frame) {
    ScaleSettingsDialog dialog(frame.Document(), frame.Paper(), frame.Sysq(), frame.Messages(), &frame);
    if (Run(dialog) != QDialog::Accepted) {
        return;
    }
    // OK on unchanged values leaves the section unmodified.
    if (FormatSettingsLine(dialog.Settings()) == FormatSettingsLine(frame.Document().settings)) {
        return;
    }
    frame.Document().settings = dialog.Settings();
    if (dialog.Result() == ScaleDialogResult::kAccepted &&
        CommitSectionEdit(frame, QStringLiteral("縮尺/標尺"), [&] {
            return WriteSettingsFile(frame.Files(), frame.Document().settings, frame.Messages());
        })) {
        frame.SettingsOrColumnsRewritten();
    }
    // Nine corrections in a row (or a settings line that could not be written): the values stay
    // in use for this run. Either way the view shows the page the new settings define.
    frame.ShowSettingsPage();
}

void RunFormatSheet(SectionFrame& frame) {
    FormatSheetDialog dialog(frame.Sysq(), frame.Messages(), &frame);
    if (Run(dialog) != QDialog::Accepted) {
        return;
    }
    if (SysqFileBytes(dialog.Values()) == SysqFileBytes(frame.Sysq())) {
        return;
    }
    // "Sysq.ndx" and the page lengths it may lower are one undoable step.
    bool pagesChanged = false;
    CommitSectionEdit(frame, QStringLiteral("様式"), [&] {
        frame.Sysq() = dialog.Values();
        // New margins may leave less of the paper for a page.
        SectionSettings settings = frame.Document().settings;
        pagesChanged = LowerPageLengthsToPaper(settings, frame.Paper(), frame.Sysq());
        SysqChanged(frame);
        if (pagesChanged) {
            frame.Document().settings = settings;
            WriteSettingsFile(frame.Files(), settings, frame.Messages());
        }
        return true;
    });
    if (pagesChanged) {
        frame.SettingsOrColumnsRewritten();
    }
}

void RunPatterns(SectionFrame& frame) {
    PatternSettingsDialog dialog(frame.InstallFolder(), PatternSettingsOf(frame.Sysq()), frame.Messages(),
                                 &frame);
    if (Run(dialog) == QDialog::Accepted) {
        // "Sysq.ndx" is rewritten: an undo step like the format sheet's, so every rewrite of the
        // file is in the history and each step finds the file as it left it.
        CommitSectionEdit(frame, QStringLiteral("柱状図パターン"), [&] {
            StorePatternSettings(dialog.Values(), frame.Sysq());
            SysqChanged(frame);
            return true;
        });
    }
}

void RunFonts(SectionFrame& frame) {
    SectionFontBinding binding(frame.Fonts(), frame.InstallFolder());
    rave::platform::FontSettingsDialog dialog(binding, frame.Messages(), &frame);
    if (Run(dialog) == QDialog::Accepted && dialog.Saved()) {
        frame.ReloadSettings();
    }
}

void RunEnterKey(SectionFrame& frame) {
    SysqEnterKeyBinding binding(frame.Sysq(), frame.InstallFolder());
    rave::platform::EnterKeyDialog dialog(binding, frame.Messages(), &frame);
    // Its OK rewrites "Sysq.ndx": an undo step, as above.
    CommitSectionEdit(frame, QStringLiteral("キーの動作"), [&] { return Run(dialog) == QDialog::Accepted; });
}

void RunSetup(SectionFrame& frame) {
    const rave::platform::DriveFolders folders = CurrentSettingsCommandHooks().driveFolders();
    const rave::DriveMap drives = rave::platform::SystemDriveMap(folders);
    SetupDialog dialog(drives, frame.Messages(), &frame);
    if (Run(dialog) != QDialog::Accepted) {
        return;
    }
    const auto found = rave::FindInstallFolder(drives, rave::kRavesectPointerFile);
    if (!found) {
        return;
    }
    // A new location is filled from the program's data the first time, as on a first start.
    rave::platform::InstallFolderRequest request =
        rave::platform::DefaultInstallFolderRequest(rave::kRavesectPointerFile);
    request.overrideFolder = *found;
    request.drives = folders;
    if (const auto prepared = rave::platform::PrepareInstallFolder(request, frame.Messages())) {
        frame.MoveInstallFolder(*prepared);
    }
}

void RunHelp(SectionFrame& frame) {
    rave::platform::HelpDialog dialog(frame.Paths().help, frame.Messages(), &frame);
    Run(dialog);
}

}  // namespace

SettingsCommandHooks& CurrentSettingsCommandHooks() {
    static SettingsCommandHooks hooks = DefaultHooks();
    return hooks;
}

void ResetSettingsCommandHooks() {
    CurrentSettingsCommandHooks() = DefaultHooks();
}

void InstallPlacementAndSettingsCommands(SectionFrame& frame) {
    const std::pair<int, void (*)(SectionFrame&)> commands[] = {
        {command_id::kPlacement, RunPlacement}, {command_id::kScale, RunScale},
        {command_id::kFormat, RunFormatSheet},  {command_id::kPatterns, RunPatterns},
        {command_id::kFonts, RunFonts},         {command_id::kEnterKey, RunEnterKey},
        {command_id::kSetup, RunSetup},         {command_id::kHelp, RunHelp}};
    for (const auto& [id, run] : commands) {
        if (QAction* action = frame.Action(id)) {
            QObject::connect(action, &QAction::triggered, &frame, [&frame, run = run] { run(frame); });
        }
    }
}

}  // namespace ravesect::app
