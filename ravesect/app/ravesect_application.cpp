// Start-up of Ravesect's desktop program.
#include "ravesect/app/ravesect_application.h"

#include <QApplication>
#include <iostream>

#include "common/install_folder.h"
#include "platform/install_folder.h"
#include "platform/message_box.h"
#include "ravesect/app/section_frame.h"
#include "ravesect/document/section_document.h"

namespace ravesect::app {

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

int RunDesktopProgram(int argc, char** argv) {
    QApplication application(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Local AppWizard-Generated Applications"));
    QApplication::setApplicationName(QStringLiteral("Ravesect"));
    QApplication::setApplicationDisplayName(ApplicationCaption());

    // QApplication has taken its own options out of argv.
    const QStringList qtArguments = QApplication::arguments();
    std::vector<std::string> arguments;
    for (qsizetype i = 1; i < qtArguments.size(); ++i) {
        arguments.push_back(qtArguments.at(i).toStdString());
    }
    const DesktopArguments parsed = ParseDesktopArguments(arguments);
    if (!parsed.error.empty()) {
        std::cerr << "ravesect: " << parsed.error << "\nusage: ravesect [--install-folder DIR] [FILE]\n";
        return 2;
    }

    rave::platform::MessageBoxSink startMessages(nullptr, ApplicationCaption());
    auto request = rave::platform::DefaultInstallFolderRequest(rave::kRavesectPointerFile);
    request.overrideFolder = parsed.installFolder;
    const std::optional<std::filesystem::path> installFolder =
        rave::platform::PrepareInstallFolder(request, startMessages);
    if (!installFolder) {
        return 1;
    }

    ResetCurrentSection();
    SectionFrame frame(*installFolder);
    if (parsed.file) {
        frame.OpenThroughFramework(*parsed.file);
    }
    frame.show();
    return QApplication::exec();
}

}  // namespace ravesect::app
