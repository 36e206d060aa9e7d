// Shared pieces of the data-menu dialogs.
#include "ravelog/app/data_dialog_support.h"

#include <QDialog>
#include <QGridLayout>
#include <QLabel>

#include "platform/codec.h"

namespace ravelog::app {

int ExecDialog(QDialog& dialog) {
    return dialog.exec();
}

QString FromCp932(const std::string& cp932) {
    return QString::fromStdString(rave::platform::Cp932ToUtf8(cp932));
}

std::optional<std::string> ToCp932(const QString& text, const QString& fieldLabel,
                                   rave::MessageSink& messages) {
    std::optional<std::string> cp932 = rave::platform::Utf8ToCp932(text.toStdString());
    if (!cp932) {
        // The label goes in as the argument, which is already in the platform's encoding.
        static const std::string refusal = *rave::platform::Utf8ToCp932(
            "「%1」に保存できない文字があります。\nシフトJISで表せる文字だけを入力してください。");
        messages.Show(rave::Message{kUnstorableCharacterMessage, refusal,
                                    QString(fieldLabel).remove('&').toStdString()});
    }
    return cp932;
}

QLabel* BuddyLabel(const QString& text, QWidget* field, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setBuddy(field);
    field->setAccessibleName(QString(text).remove('&').trimmed());
    return label;
}

void AddLabelledRow(QGridLayout* grid, int row, int column, const QString& label, QWidget* field) {
    grid->addWidget(BuddyLabel(label, field), row, column);
    grid->addWidget(field, row, column + 1);
}

}  // namespace ravelog::app
