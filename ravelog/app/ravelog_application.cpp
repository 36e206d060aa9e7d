// Start-up of Ravelog's desktop program.
#include "ravelog/app/ravelog_application.h"

#include <QApplication>
#include <QMessageBox>
#include <iostream>

#include "common/install_folder.h"
#include "platform/autosave_dialog.h"
#include "platform/install_folder.h"
#include "platform/message_box.h"
#include "platform/program_settings.h"
#include "ravelog/app/main_frame.h"
#include "ravelog/document/sounding_document.h"

namespace ravelog::app {

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
            result.installFolder = arguments[++i];
        } else if (argument.rfind(option + "=", 0) == 0) {
            result.installFolder = argument.substr(option.size() + 1);
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
            result.file = std::filesystem::path(argument);
        }
    }
    return result;
}

bool OfferRecoveries(MainFrame& frame, rave::platform::RecoverySession& session,
                     const rave::platform::RecoveryAsk& ask) {
    return rave::platform::OfferLeftRecoveries(session, ask, [&frame](const rave::OfferedRecovery& offered) {
        // The question about the document in hand comes first (a file named on the command line
        // is unmodified, so normally nothing is asked).
        return frame.ConfirmDiscardChanges() &&
               frame.RestoreRecoveryCopy(offered.copy, offered.record.originalPath);
    });
}

int RunDesktopProgram(int argc, char** argv) {
    QApplication application(argc, argv);
    rave::platform::UseProgramSettings(QStringLiteral("Ravelog"), ApplicationCaption());
    rave::platform::LoadToolkitTranslations(application);

    // QApplication has taken its own options out of argv.
    const QStringList qtArguments = QApplication::arguments();
    std::vector<std::string> arguments;
    for (qsizetype i = 1; i < qtArguments.size(); ++i) {
        arguments.push_back(qtArguments.at(i).toStdString());
    }
    const DesktopArguments parsed = ParseDesktopArguments(arguments);
    if (!parsed.error.empty()) {
        std::cerr << "ravelog: " << parsed.error << "\nusage: ravelog [--install-folder DIR] [FILE]\n";
        return 2;
    }

    rave::platform::MessageBoxSink startMessages(nullptr, ApplicationCaption());
    auto request = rave::platform::DefaultInstallFolderRequest(rave::kRavelogPointerFile);
    request.overrideFolder = parsed.installFolder;
    const std::optional<std::filesystem::path> installFolder =
        rave::platform::PrepareInstallFolder(request, startMessages);
    if (!installFolder) {
        return 1;
    }

    ResetCurrentSounding();
    rave::platform::RecoverySession recovery("Ravelog", ".sdw", rave::platform::DefaultRecoveryFolder());
    recovery.SetIntervalSeconds(rave::platform::ReadAutosaveSeconds());
    MainFrame frame(*installFolder);
    frame.AttachRecovery(&recovery);
    rave::platform::AddAutosaveCommand(*frame.Menu(QStringLiteral("settingsMenu")), frame, recovery);
    if (parsed.file) {
        frame.OpenThroughFramework(*parsed.file);
    }
    frame.show();
    OfferRecoveries(frame, recovery, [&frame](const rave::OfferedRecovery& offered) {
        return rave::platform::AskAboutRecovery(&frame, ApplicationCaption(), offered);
    });
    const int status = QApplication::exec();
    frame.AttachRecovery(nullptr);
    return status;
}

}  // namespace ravelog::app
