// The details dialog of the placement.
#include "ravesect/app/placement_details_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "ravesect/app/dialog_support.h"

namespace ravesect::app {

namespace {

const char* const kFrameOrderTexts[] = {"パターン-グラフ", "グラフ-パターン", "パターン",
                                        "グラフ",          "パターン-Nd値",   "Nd値-パターン"};
const char* const kFlagPositionTexts[] = {"パターンの左", "パターンの右", "グラフの左", "グラフの右"};
// "自動" draws Nd figures as they come; a number fixes the decimals.
const char* const kNdDecimalChoices[] = {"自動", "0", "1", "2", "3", "4", "5", "6"};

}  // namespace

PlacementDetailsDialog::PlacementDetailsDialog(const DetailsSettings& details, rave::MessageSink& messages,
                                               QWidget* parent)
    : QDialog(parent), details_(details), messages_(messages) {
    setWindowTitle(QStringLiteral("詳細設定"));

    auto* frameGroup = new QGroupBox(QStringLiteral("描画枠順"), this);
    auto* frameLayout = new QVBoxLayout(frameGroup);
    for (int code = 0; code < 6; ++code) {
        auto* button = new QRadioButton(QString::fromUtf8(kFrameOrderTexts[code]), frameGroup);
        button->setEnabled(details_.FrameOrderEnabled(code));
        frameLayout->addWidget(button);
        frameOrder_[static_cast<std::size_t>(code)] = button;
    }

    auto* flagGroup = new QGroupBox(QStringLiteral("旗の位置"), this);
    auto* flagLayout = new QVBoxLayout(flagGroup);
    for (int code = 0; code < 4; ++code) {
        auto* button = new QRadioButton(QString::fromUtf8(kFlagPositionTexts[code]), flagGroup);
        flagLayout->addWidget(button);
        flagPosition_[static_cast<std::size_t>(code)] = button;
    }
    flagFlip_ = new QCheckBox(QStringLiteral("旗反転"), flagGroup);
    flagLayout->addWidget(flagFlip_);

    graphMirror_ = new QCheckBox(QStringLiteral("グラフ鏡像"), this);
    ndDecimals_ = new QComboBox(this);
    ndDecimals_->setEditable(true);
    for (const char* choice : kNdDecimalChoices) {
        ndDecimals_->addItem(QString::fromUtf8(choice));
    }
    auto* ndRow = new QHBoxLayout;
    ndRow->addWidget(BuddyLabel(QStringLiteral("Nd値 小数以下表示桁数(&N)"), ndDecimals_, this));
    ndRow->addWidget(ndDecimals_);
    ndRow->addStretch();

    auto* defaults = new QPushButton(QStringLiteral("標準の設定(&D)"), this);
    connect(defaults, &QPushButton::clicked, this, &PlacementDetailsDialog::RestoreDefaults);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("キャンセル"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* groups = new QHBoxLayout;
    groups->addWidget(frameGroup);
    groups->addWidget(flagGroup);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(defaults);
    bottom->addStretch();
    bottom->addWidget(buttons);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(groups);
    layout->addWidget(graphMirror_);
    layout->addLayout(ndRow);
    layout->addLayout(bottom);
    ShowDetails();
}

void PlacementDetailsDialog::ShowDetails() {
    if (details_.frameOrder >= 0 && details_.frameOrder < 6) {
        frameOrder_[static_cast<std::size_t>(details_.frameOrder)]->setChecked(true);
    }
    if (details_.flagPosition >= 0 && details_.flagPosition < 4) {
        flagPosition_[static_cast<std::size_t>(details_.flagPosition)]->setChecked(true);
    }
    flagFlip_->setChecked(details_.flagFlip);
    graphMirror_->setChecked(details_.graphMirror);
    ndDecimals_->setEditText(FromCp932(details_.ndDecimals));
}

void PlacementDetailsDialog::RestoreDefaults() {
    details_.SetDefaults();
    ShowDetails();
}

void PlacementDetailsDialog::accept() {
    const auto nd =
        ToCp932(ndDecimals_->currentText().trimmed(), QStringLiteral("小数以下表示桁数"), messages_);
    if (!nd) {
        return;
    }
    for (int code = 0; code < 6; ++code) {
        if (frameOrder_[static_cast<std::size_t>(code)]->isChecked()) {
            details_.frameOrder = code;
        }
    }
    for (int code = 0; code < 4; ++code) {
        if (flagPosition_[static_cast<std::size_t>(code)]->isChecked()) {
            details_.flagPosition = code;
        }
    }
    details_.flagFlip = flagFlip_->isChecked();
    details_.graphMirror = graphMirror_->isChecked();
    details_.ndDecimals = *nd;
    QDialog::accept();
}

}  // namespace ravesect::app
