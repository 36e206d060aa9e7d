// The named column settings of the import dialog.
#include "ravelog/app/import_column_settings_dialog.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "ravelog/app/data_dialog_support.h"

namespace ravelog::app {

ImportColumnSettingsDialog::ImportColumnSettingsDialog(std::filesystem::path installFolder, ImportMode mode,
                                                       ImportChoices& choices, rave::MessageSink& messages,
                                                       QWidget* parent)
    : QDialog(parent),
      installFolder_(std::move(installFolder)),
      mode_(mode),
      choices_(choices),
      messages_(messages) {
    setWindowTitle(QStringLiteral("列No.のユーザ設定と保存"));
    name_ = new QLineEdit(this);
    name_->setObjectName(QStringLiteral("nameField"));
    name_->setMinimumWidth(fontMetrics().averageCharWidth() * 32);
    // The saved name is shown when there is one; a missing file is only reported when loading.
    rave::RecordingMessageSink quiet;
    if (const auto saved = LoadNamedImportColumns(installFolder_, mode_, quiet)) {
        name_->setText(FromCp932(saved->name));
    }
    auto* load = new QPushButton(QStringLiteral("保存してあるユーザ設定にする"), this);
    load->setObjectName(QStringLiteral("loadButton"));
    auto* save = new QPushButton(QStringLiteral("現在の列No設定を保存"), this);
    save->setObjectName(QStringLiteral("saveButton"));
    auto* close = new QPushButton(QStringLiteral("ｷｬﾝｾﾙ"), this);
    close->setObjectName(QStringLiteral("cancelButton"));
    for (QPushButton* button : {load, save, close}) {
        button->setAutoDefault(false);
    }
    connect(load, &QPushButton::clicked, this, &ImportColumnSettingsDialog::LoadSaved);
    connect(save, &QPushButton::clicked, this, &ImportColumnSettingsDialog::SaveCurrent);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);

    auto* grid = new QGridLayout(this);
    grid->addWidget(load, 0, 0, 1, 2);
    AddLabelledRow(grid, 1, 0, QStringLiteral("設定名"), name_);
    grid->addWidget(save, 2, 0, 1, 2);
    grid->addWidget(close, 3, 1, Qt::AlignRight);
    setTabOrder(load, name_);
    setTabOrder(name_, save);
    setTabOrder(save, close);
}

void ImportColumnSettingsDialog::LoadSaved() {
    if (const auto saved = LoadNamedImportColumns(installFolder_, mode_, messages_)) {
        choices_.columns = saved->columns;
        accept();
    }
}

void ImportColumnSettingsDialog::SaveCurrent() {
    const std::optional<std::string> name = ToCp932(name_->text(), QStringLiteral("設定名"), messages_);
    if (!name) {
        return;
    }
    if (SaveNamedImportColumns(installFolder_, mode_, *name, choices_, messages_)) {
        accept();
    }
}

}  // namespace ravelog::app
