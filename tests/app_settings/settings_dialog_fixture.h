// What the settings-dialog tests share: a main window over a fresh install folder made from the
// shipped data, a recording message sink, the install folder's files as bytes (to prove a Cancel
// changed nothing), a settings line as the file holds it, and screenshots of the dialogs.
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPixmap>
#include <filesystem>
#include <map>
#include <memory>
#include <string>

#include "common/messages.h"
#include "platform/codec.h"
#include "platform/install_folder.h"
#include "ravelog/app/main_frame.h"
#include "ravelog/document/sounding_file_commands.h"
#include "temp_folder.h"

namespace ravelog::app::testing {

namespace fs = std::filesystem;

inline QApplication& TestApplication() {
    if (auto* existing = qobject_cast<QApplication*>(QCoreApplication::instance())) {
        return *existing;
    }
    static int argc = 1;
    static char name[] = "test_app_settings";
    static char* argv[] = {name, nullptr};
    static QApplication* app = new QApplication(argc, argv);
    return *app;
}

// cp932 bytes of a UTF-8 literal, to compare with what the files and messages hold.
inline std::string Cp932(const char* utf8) {
    return rave::platform::Utf8ToCp932(utf8).value();
}

// Keys as the user presses them: a press and a release sent to the widget.
inline void PressKey(QWidget* widget, int key, const QString& text = QString()) {
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
    QApplication::sendEvent(widget, &press);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
    QApplication::sendEvent(widget, &release);
    // Item views commit an editor's text through a queued call.
    QApplication::processEvents();
}

// Types `text` character by character into the widget (which may hold a selection).
inline void TypeText(QWidget* widget, const QString& text) {
    for (const QChar c : text) {
        PressKey(widget, 0, QString(c));
    }
}

// Selects all of a line edit, deletes it and types the new text.
inline void Retype(QLineEdit* edit, const QString& text) {
    edit->selectAll();
    PressKey(edit, Qt::Key_Delete);
    TypeText(edit, text);
}

class SettingsDialogTest : public ::testing::Test {
protected:
    // `folderName`: the install folder's name ("Sver5" lets a test put a previous version beside it).
    explicit SettingsDialogTest(const char* folderName = "install") {
        TestApplication();
        installFolder = temp.path() / folderName;
        std::string error;
        EXPECT_TRUE(
            rave::platform::CreateInstallFolder(installFolder, fs::path(RAVE_SOURCE_DIR) / "data", error))
            << error;
        ResetCurrentSounding();
        frame = std::make_unique<MainFrame>(installFolder, &messages);
        messages.shown.clear();
    }

    // Every file of the install folder with a hash of its bytes (a failure then names the files
    // that differ, not their contents).
    std::map<std::string, std::size_t> InstallFiles() const {
        std::map<std::string, std::size_t> files;
        for (const auto& entry : fs::recursive_directory_iterator(installFolder)) {
            if (entry.is_regular_file()) {
                files[entry.path().lexically_relative(installFolder).string()] =
                    std::hash<std::string>{}(rave::testing::TempFolder::Read(entry.path()));
            }
        }
        return files;
    }

    // Line n of "Sys.ndx" as the file holds it (cp932, without CR LF).
    std::string FileSettingsLine(int n) const {
        const std::string bytes = rave::testing::TempFolder::Read(installFolder / "Sys.ndx");
        std::size_t start = 0;
        for (int i = 0; i < n; ++i) {
            start = bytes.find("\r\n", start);
            if (start == std::string::npos) {
                return "<missing>";
            }
            start += 2;
        }
        return bytes.substr(start, bytes.find("\r\n", start) - start);
    }

    bool SawText(const char* utf8Fragment) const {
        const std::string fragment = Cp932(utf8Fragment);
        for (const rave::Message& m : messages.shown) {
            if (m.text.find(fragment) != std::string::npos) {
                return true;
            }
        }
        return false;
    }

    // Shows the dialog, lets it lay out and, when RAVE_DIALOG_SHOTS names a folder, keeps a
    // picture of it there. The picture itself must hold something.
    static void Screenshot(QDialog& dialog, const char* fileName) {
        dialog.show();
        QApplication::processEvents();
        const QPixmap picture = dialog.grab();
        EXPECT_GT(picture.width(), 200);
        EXPECT_GT(picture.height(), 100);
        const QByteArray folder = qgetenv("RAVE_DIALOG_SHOTS");
        if (!folder.isEmpty()) {
            EXPECT_TRUE(
                picture.save(QDir(QString::fromLocal8Bit(folder)).filePath(QString::fromLatin1(fileName))));
        }
        dialog.hide();
    }

    rave::testing::TempFolder temp;
    fs::path installFolder;
    rave::RecordingMessageSink messages;
    std::unique_ptr<MainFrame> frame;
};

}  // namespace ravelog::app::testing
