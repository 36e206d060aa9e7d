// The help dialog ("操作＆ヘルプ") that both programs share: the lines of the program's help text
// in a list, and a button that opens the file in the desktop's text editor. Each program names
// its own file: Ravelog "Help.txt", Ravesect "Helpq.txt", both in the install folder.
//
// How a program binds it:
//
//     HelpDialog dialog(installFolder / "Helpq.txt", messages, window);
//     dialog.exec();
//
// A missing file shows the file-not-found message and leaves the list empty. The editor is
// started through OpenInEditor (the system's text editor); when that fails the text is shown in a
// window of the program (ShowTextWindow); when neither works, "実行できませんでした". Tests override
// both so nothing leaves the process.
#pragma once

#include <QDialog>
#include <QUrl>
#include <filesystem>

#include "common/messages.h"

class QListWidget;
class QPushButton;

namespace rave::platform {

class HelpDialog : public QDialog {
    Q_OBJECT
public:
    HelpDialog(std::filesystem::path helpFile, MessageSink& messages, QWidget* parent = nullptr);

    QListWidget* Lines() const { return list_; }
    QPushButton* EditorButton() const { return editorButton_; }

    // The editor button's work: the editor, else the program's own text window, else the message.
    void OpenHelpFile();

protected:
    // Opens the file with the desktop's editor; false when none could be started.
    virtual bool OpenInEditor(const QUrl& file);
    // Shows the whole text in a window of the program; false when the file cannot be read.
    virtual bool ShowTextWindow(const std::filesystem::path& file);

private:
    std::filesystem::path helpFile_;
    MessageSink& messages_;
    QListWidget* list_ = nullptr;
    QPushButton* editorButton_ = nullptr;
};

}  // namespace rave::platform
