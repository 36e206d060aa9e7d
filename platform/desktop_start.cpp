// The start of both desktop programs (see desktop_start.h).
#include "platform/desktop_start.h"

#include <QApplication>
#include <QMenu>
#include <QMessageBox>
#include <iostream>

#include "common/path_text.h"
#include "platform/autosave_dialog.h"
#include "platform/document_window.h"
#include "platform/install_folder.h"
#include "platform/message_box.h"
#include "platform/program_settings.h"
#include "platform/system_fonts.h"

namespace rave::platform {

DesktopArguments ParseDesktopArguments(const std::vector<std::string>& arguments) {
    const std::string option = "--install-folder";
    DesktopArguments result;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (argument == option) {
            if (i + 1 >= arguments.size() || arguments[i + 1].empty()) {
                result.error = "--install-folder needs a folder";
                return result;
            }
            result.installFolder = PathFromUtf8(arguments[++i]);
        } else if (argument.rfind(option + "=", 0) == 0) {
            result.installFolder = PathFromUtf8(argument.substr(option.size() + 1));
            if (result.installFolder.empty()) {
                result.error = "--install-folder needs a folder";
                return result;
            }
        } else if (argument.size() > 1 && argument[0] == '-') {
            result.error = "unknown option " + argument;
            return result;
        } else if (result.file) {
            result.error = "only one file can be opened";
            return result;
        } else {
            result.file = PathFromUtf8(argument);
        }
    }
    return result;
}

bool OfferRecoveries(DocumentWindow& window, RecoverySession& session, const RecoveryAsk& ask) {
    if (window.ReadOnly()) {
        return false;
    }
    return OfferLeftRecoveries(
        session, ask,
        [&window](const OfferedRecovery& offered) {
            // The question about the document in hand comes first (a file named on the command
            // line is unmodified, so normally nothing is asked).
            return window.ConfirmDiscardChanges() &&
                   window.RestoreRecoveryCopy(offered.copy, offered.record.originalPath);
        },
        [&window](const OfferedRecovery& offered) { window.LeftWorkDiscarded(offered); });
}

int RunDesktopProgram(int argc, char** argv, const DesktopProgram& program) {
    QApplication application(argc, argv);
    LoadBundledFonts();
    UseProgramSettings(program.application, program.caption);
    LoadToolkitTranslations(application);

    // QApplication has taken its own options out of argv.
    const QStringList qtArguments = QApplication::arguments();
    std::vector<std::string> arguments;
    for (qsizetype i = 1; i < qtArguments.size(); ++i) {
        arguments.push_back(qtArguments.at(i).toStdString());
    }
    const DesktopArguments parsed = ParseDesktopArguments(arguments);
    if (!parsed.error.empty()) {
        std::cerr << program.command << ": " << parsed.error << "\nusage: " << program.command
                  << " [--install-folder DIR] [FILE]\n";
        return 2;
    }

    MessageBoxSink startMessages(nullptr, program.caption);
    InstallFolderRequest request = DefaultInstallFolderRequest(program.pointer);
    request.overrideFolder = parsed.installFolder;
    const std::optional<std::filesystem::path> installFolder = PrepareInstallFolder(request, startMessages);
    if (!installFolder) {
        return 1;
    }

    program.resetDocument();
    RecoverySession recovery(program.application.toStdString(), program.extension, DefaultRecoveryFolder());
    recovery.SetIntervalSeconds(ReadAutosaveSeconds());
    const std::unique_ptr<DocumentWindow> window = program.createWindow(*installFolder);
    const std::shared_ptr<void> files = program.takeFiles ? program.takeFiles(*window, recovery) : nullptr;
    if (!window->ReadOnly()) {
        window->AttachRecovery(&recovery);
        AddAutosaveCommand(*window->Menu(QStringLiteral("settingsMenu")), *window, recovery);
        if (parsed.file) {
            window->OpenThroughFramework(*parsed.file);
        }
    }
    window->show();
    if (window->ReadOnly()) {
        QMessageBox::information(window.get(), program.caption, window->ReadOnlyNotice());
    }
    OfferRecoveries(*window, recovery, [&window, &program](const OfferedRecovery& offered) {
        return AskAboutRecovery(window.get(), program.caption, offered);
    });
    const int status = QApplication::exec();
    window->AttachRecovery(nullptr);
    return status;
}

}  // namespace rave::platform
