// The master-file dialog over rave::MasterEditor.
#include "ravelog/app/master_editor_dialog.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "platform/cell_edit_table.h"
#include "platform/path_qstring.h"
#include "ravelog/app/main_frame.h"
#include "ravelog/app/settings_dialog_support.h"

namespace ravelog::app {

std::filesystem::path MasterPathOf(MainFrame& frame, rave::MasterKind kind) {
    const StartupPaths& paths = frame.Files().paths;
    return kind == rave::MasterKind::kShortTexts ? paths.shortTexts : paths.technicians;
}

MasterEditorDialog::MasterEditorDialog(MainFrame& frame, rave::MasterKind kind, QWidget* parent)
    : QDialog(parent), frame_(frame), model_(kind, MasterPathOf(frame, kind), frame.InstallFolder()) {
    model_.Open(frame.Messages());
    const QString title = FromCp932(model_.Title());
    setWindowTitle(QStringLiteral("マスタファイル - ") + title);

    rave::platform::CellEditCallbacks callbacks;
    callbacks.rowCount = [this] { return static_cast<int>(model_.Rows().size()); };
    callbacks.cellText = [this](int row, int) {
        return FromCp932(model_.Rows().at(static_cast<std::size_t>(row)));
    };
    callbacks.setCellText = [this](int row, int, const QString& text) {
        const auto bytes = ToCp932(text, FromCp932(model_.Title()), frame_.Messages());
        return bytes && model_.SetRowText(row, *bytes, frame_.Messages());
    };
    table_ = new rave::platform::CellEditTable({{title, 320, true}}, callbacks, this);
    table_->setAccessibleName(title);
    table_->setShowGrid(true);
    table_->setMinimumHeight(360);
    connect(table_, &rave::platform::CellEditTable::currentRowChanged, this,
            [this](int row) { model_.Select(row); });

    up_ = new QPushButton(QStringLiteral("↑"));
    up_->setAccessibleName(QStringLiteral("上へ移動"));
    down_ = new QPushButton(QStringLiteral("↓"));
    down_->setAccessibleName(QStringLiteral("下へ移動"));
    delete_ = new QPushButton(QStringLiteral("削除"));
    import_ = new QPushButton(QStringLiteral("Ver.4 追加"));
    import_->setEnabled(model_.CanImportOldVersion());
    connect(up_, &QPushButton::clicked, this, [this] { RowAction(&rave::MasterEditor::MoveSelectedUp); });
    connect(down_, &QPushButton::clicked, this, [this] { RowAction(&rave::MasterEditor::MoveSelectedDown); });
    connect(delete_, &QPushButton::clicked, this, [this] { RowAction(&rave::MasterEditor::DeleteSelected); });
    connect(import_, &QPushButton::clicked, this, &MasterEditorDialog::ImportOldVersion);

    auto* side = new QVBoxLayout;
    for (QPushButton* button : {up_, down_, delete_}) {
        button->setAutoDefault(false);
        side->addWidget(button);
    }
    side->addStretch();
    import_->setAutoDefault(false);
    side->addWidget(import_);

    auto* body = new QHBoxLayout;
    body->addWidget(table_, 1);
    body->addLayout(side);

    auto* path = new QLabel(rave::platform::PathToQString(model_.Path()));
    path->setTextInteractionFlags(Qt::TextSelectableByMouse);
    path->setAccessibleName(QStringLiteral("ファイル"));

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("キャンセル"));
    // Enter commits the cell being edited; it must not close the dialog.
    buttons->button(QDialogButtonBox::Ok)->setAutoDefault(false);
    buttons->button(QDialogButtonBox::Ok)->setDefault(false);
    connect(buttons, &QDialogButtonBox::accepted, this, &MasterEditorDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &MasterEditorDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(body);
    layout->addWidget(path);
    layout->addWidget(buttons);
    resize(460, 520);
}

void MasterEditorDialog::RowAction(bool (rave::MasterEditor::*action)()) {
    const int selected = table_->CurrentRow();
    if (selected < 0) {
        return;
    }
    model_.Select(selected);
    if ((model_.*action)()) {
        table_->Reload();
        ShowSelection();
    }
}

void MasterEditorDialog::ShowSelection() {
    if (model_.Selected() >= 0) {
        table_->SetCurrentRow(model_.Selected());
    }
}

void MasterEditorDialog::ImportOldVersion() {
    if (model_.ImportOldVersion(frame_.Messages())) {
        table_->Reload();
    }
}

void MasterEditorDialog::accept() {
    if (!model_.Save(frame_.Messages())) {
        return;
    }
    QDialog::accept();
}

}  // namespace ravelog::app
