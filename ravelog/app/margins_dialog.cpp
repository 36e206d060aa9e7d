// The margins dialog over ravelog::MarginsEditor.
#include "ravelog/app/margins_dialog.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "ravelog/app/main_frame.h"
#include "ravelog/app/settings_dialog_support.h"

namespace ravelog::app {

namespace {

// A field with its label before and "mm" after it, in one row of `grid`.
QLineEdit* AddMillimetreField(QGridLayout* grid, int row, const QString& label,
                              const QString& accessibleName) {
    auto* edit = new QLineEdit;
    edit->setMaximumWidth(56);
    auto* caption = new QLabel(label);
    caption->setBuddy(edit);
    edit->setAccessibleName(accessibleName);
    grid->addWidget(caption, row, 0);
    grid->addWidget(edit, row, 1);
    grid->addWidget(new QLabel(QStringLiteral("mm")), row, 2);
    return edit;
}

}  // namespace

MarginsDialog::MarginsDialog(MainFrame& frame, QWidget* parent)
    : QDialog(parent), frame_(frame), model_(frame.Files().settings) {
    setWindowTitle(QStringLiteral("マージン"));
    auto* pageBox = new QGroupBox(QStringLiteral("用紙のマージン"));
    auto* pageGrid = new QGridLayout(pageBox);
    top_ = AddMillimetreField(pageGrid, 0, QStringLiteral("トップ"), QStringLiteral("トップ"));
    left_ = AddMillimetreField(pageGrid, 1, QStringLiteral("レフト"), QStringLiteral("レフト"));

    auto* titleBox = new QGroupBox(QStringLiteral("タイトル行のトップマージン"));
    auto* titleGrid = new QGridLayout(titleBox);
    titleRow12_ = AddMillimetreField(titleGrid, 0, QStringLiteral("様式 1、2"),
                                     QStringLiteral("タイトル行のトップマージン 様式 1、2"));
    titleRow3_ = AddMillimetreField(titleGrid, 1, QStringLiteral("様式 3"),
                                    QStringLiteral("タイトル行のトップマージン 様式 3"));

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("キャンセル"));
    QPushButton* standard = buttons->addButton(QStringLiteral("標準の設定"), QDialogButtonBox::ResetRole);
    standard->setObjectName(QStringLiteral("standardButton"));
    connect(standard, &QPushButton::clicked, this, &MarginsDialog::ApplyStandard);
    connect(buttons, &QDialogButtonBox::accepted, this, &MarginsDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &MarginsDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(pageBox);
    layout->addWidget(titleBox);
    layout->addWidget(buttons);
    ShowModel();
}

void MarginsDialog::ShowModel() {
    top_->setText(FromCp932(model_.top));
    left_->setText(FromCp932(model_.left));
    titleRow12_->setText(FromCp932(model_.titleRow12));
    titleRow3_->setText(FromCp932(model_.titleRow3));
}

void MarginsDialog::ApplyStandard() {
    model_.ApplyStandard();
    ShowModel();
}

void MarginsDialog::accept() {
    const std::pair<QLineEdit*, std::string*> fields[] = {{top_, &model_.top},
                                                          {left_, &model_.left},
                                                          {titleRow12_, &model_.titleRow12},
                                                          {titleRow3_, &model_.titleRow3}};
    for (const auto& [edit, target] : fields) {
        const auto text = ToCp932(edit->text(), edit->accessibleName(), frame_.Messages());
        if (!text) {
            edit->setFocus();
            return;
        }
        *target = *text;
    }
    if (!model_.Validate(frame_.Messages())) {
        return;
    }
    rave::RavelogSettings edited = frame_.Files().settings;
    model_.WriteBack(edited);
    CommitSettings(frame_, edited);
    QDialog::accept();
}

}  // namespace ravelog::app
