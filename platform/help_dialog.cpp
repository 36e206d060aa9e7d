// The shared help dialog: the help text's lines in a list, and the text opened in an editor.
#include "platform/help_dialog.h"

#include <QDialogButtonBox>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "common/settings_help.h"
#include "common/text_file.h"
#include "platform/codec.h"
#include "platform/path_qstring.h"
#include "platform/text_editor.h"

namespace rave::platform {

namespace {

// The in-program text window takes lines as long as any editor would show them.
constexpr std::size_t kTextWindowLineLimit = 4096;

QString DisplayLine(std::string line) {
    while (!line.empty() && (line.back() == '\r' || line.back() == '\n')) {
        line.pop_back();
    }
    return QString::fromStdString(Cp932ToUtf8(line));
}

QUrl FileUrl(const std::filesystem::path& file) {
    return QUrl::fromLocalFile(PathToQString(file));
}

}  // namespace

HelpDialog::HelpDialog(std::filesystem::path helpFile, MessageSink& messages, QWidget* parent)
    : QDialog(parent), helpFile_(std::move(helpFile)), messages_(messages) {
    setWindowTitle(QStringLiteral("操作＆ヘルプ"));

    list_ = new QListWidget;
    list_->setAccessibleName(QStringLiteral("ヘルプの内容"));
    list_->setUniformItemSizes(true);
    for (const std::string& line : LoadHelpLines(helpFile_, messages_)) {
        list_->addItem(DisplayLine(line));
    }

    editorButton_ = new QPushButton(QStringLiteral("エディタで開く(&E)"));
    editorButton_->setAutoDefault(false);
    editorButton_->setToolTip(QStringLiteral("ヘルプのファイルをテキストエディタで開きます"));
    connect(editorButton_, &QPushButton::clicked, this, &HelpDialog::OpenHelpFile);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close);
    buttons->button(QDialogButtonBox::Close)->setText(QStringLiteral("閉じる"));
    buttons->addButton(editorButton_, QDialogButtonBox::ActionRole);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(list_);
    layout->addWidget(buttons);
    resize(720, 520);
}

void HelpDialog::OpenHelpFile() {
    if (OpenInEditor(FileUrl(helpFile_))) {
        return;
    }
    if (ShowTextWindow(helpFile_)) {
        return;
    }
    messages_.Show(CouldNotRunMessage());
}

bool HelpDialog::OpenInEditor(const QUrl& file) {
    return OpenInTextEditor(PathFromQString(file.toLocalFile()));
}

bool HelpDialog::ShowTextWindow(const std::filesystem::path& file) {
    const auto lines = ReadTextLines(file, kTextWindowLineLimit);
    if (!lines) {
        return false;
    }
    QStringList text;
    for (const std::string& line : *lines) {
        text.append(DisplayLine(line));
    }
    auto* window = new QDialog(this);
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->setWindowTitle(PathToQString(file.filename()));
    auto* view = new QPlainTextEdit(text.join(QLatin1Char('\n')));
    view->setReadOnly(true);
    view->setAccessibleName(QStringLiteral("ヘルプの内容"));
    auto* layout = new QVBoxLayout(window);
    layout->addWidget(view);
    window->resize(720, 560);
    window->show();
    return true;
}

}  // namespace rave::platform
