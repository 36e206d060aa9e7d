// The pattern settings dialog.
#include "ravesect/app/pattern_settings_dialog.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QColorDialog>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <cstdlib>

#include "common/format.h"
#include "platform/font_settings_dialog.h"
#include "ravesect/app/dialog_support.h"

namespace ravesect::app {

namespace {

// The radio buttons in the order the dialog lists them, with the value each stands for.
struct DrawingChoice {
    const char* text;
    PatternDrawing drawing;
};
constexpr DrawingChoice kDrawingChoices[] = {{"線描のみ使用", PatternDrawing::kLinesOnly},
                                             {"線描優先", PatternDrawing::kLinesFirst},
                                             {"ビットマップ優先", PatternDrawing::kBitmapsFirst},
                                             {"ビットマップのみ", PatternDrawing::kBitmapsOnly}};

}  // namespace

PatternSettingsDialog::PatternSettingsDialog(std::filesystem::path installFolder,
                                             const PatternSettings& settings, rave::MessageSink& messages,
                                             QWidget* parent)
    : QDialog(parent), installFolder_(std::move(installFolder)), messages_(messages), values_(settings) {
    setWindowTitle(QStringLiteral("柱状図模様/パターンファイル"));

    auto* drawingGroup = new QGroupBox(QStringLiteral("柱状図パターンの描き方"), this);
    auto* drawingLayout = new QVBoxLayout(drawingGroup);
    for (std::size_t i = 0; i < std::size(kDrawingChoices); ++i) {
        drawing_[i] = new QRadioButton(QString::fromUtf8(kDrawingChoices[i].text), drawingGroup);
        drawingLayout->addWidget(drawing_[i]);
    }

    auto* displayGroup = new QGroupBox(QStringLiteral("柱状図表示"), this);
    auto* displayForm = new QFormLayout(displayGroup);
    colour_ = new QRadioButton(QStringLiteral("カラー"), displayGroup);
    monochrome_ = new QRadioButton(QStringLiteral("白黒"), displayGroup);
    auto* modeGroup = new QButtonGroup(this);
    modeGroup->addButton(colour_);
    modeGroup->addButton(monochrome_);
    auto* modeRow = new QHBoxLayout;
    modeRow->addWidget(colour_);
    modeRow->addWidget(monochrome_);
    modeRow->addStretch();
    displayForm->addRow(modeRow);
    lineWidth_ = new QLineEdit(displayGroup);
    lineWidth_->setMaximumWidth(60);
    displayForm->addRow(BuddyLabel(QStringLiteral("線の太さ(㎜)"), lineWidth_, this), lineWidth_);
    lineColour_ = new QLineEdit(displayGroup);
    lineColour_->setMaximumWidth(90);
    lineColour_->setMaxLength(8);
    auto* colourButton = new QPushButton(QStringLiteral("色"), displayGroup);
    colourButton->setAutoDefault(false);
    colourButton->setAccessibleName(QStringLiteral("線の色を選ぶ"));
    connect(colourButton, &QPushButton::clicked, this, [this] {
        const long current = std::strtol(lineColour_->text().toStdString().c_str(), nullptr, 0);
        if (const auto chosen = ChooseColour(rave::platform::ColorFromColorref(current))) {
            lineColour_->setText(
                FromCp932(rave::FormatText("0x%06x", rave::platform::ColorrefFromColor(*chosen))));
        }
    });
    auto* colourRow = new QHBoxLayout;
    colourRow->addWidget(lineColour_);
    colourRow->addWidget(colourButton);
    colourRow->addStretch();
    displayForm->addRow(BuddyLabel(QStringLiteral("線の色"), lineColour_, this), colourRow);
    mixedMarking_ = new QCheckBox(QStringLiteral("混り／質"), displayGroup);
    displayForm->addRow(mixedMarking_);

    auto* fileGroup = new QGroupBox(QStringLiteral("パターンファイル"), this);
    auto* fileForm = new QFormLayout(fileGroup);
    masterFile_ = new QLineEdit(fileGroup);
    jacicFolder_ = new QLineEdit(fileGroup);
    simpleFolder_ = new QLineEdit(fileGroup);
    fileForm->addRow(BuddyLabel(QStringLiteral("土質名マスタファイル"), masterFile_, this),
                     PathRow(masterFile_, false));
    fileForm->addRow(BuddyLabel(QStringLiteral("JACIC版 ビットマップパターンフォルダ"), jacicFolder_, this),
                     PathRow(jacicFolder_, true));
    fileForm->addRow(
        BuddyLabel(QStringLiteral("シンプル版 ビットマップパターンフォルダ"), simpleFolder_, this),
        PathRow(simpleFolder_, true));

    standardButton_ = new QPushButton(QStringLiteral("標準の設定"), this);
    standardButton_->setAutoDefault(false);
    connect(standardButton_, &QPushButton::clicked, this, [this] {
        values_ = StandardPatternSettings(installFolder_);
        ShowValues();
    });
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("キャンセル"));
    connect(buttons, &QDialogButtonBox::accepted, this, &PatternSettingsDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* top = new QHBoxLayout;
    top->addWidget(drawingGroup);
    top->addWidget(displayGroup, 1);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(standardButton_);
    bottom->addStretch();
    bottom->addWidget(buttons);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(fileGroup);
    layout->addLayout(bottom);
    resize(640, sizeHint().height());
    ShowValues();
}

QWidget* PatternSettingsDialog::PathRow(QLineEdit* box, bool folder) {
    auto* holder = new QWidget(this);
    auto* row = new QHBoxLayout(holder);
    row->setContentsMargins(0, 0, 0, 0);
    box->setMinimumWidth(320);
    auto* browse = new QPushButton(QStringLiteral("参照..."), holder);
    browse->setAutoDefault(false);
    browse->setAccessibleName(box->accessibleName() + QStringLiteral(" 参照"));
    connect(browse, &QPushButton::clicked, this, [this, box, folder] {
        const auto chosen = folder ? ChooseFolder(box->text()) : ChooseFile(box->text());
        if (chosen) {
            box->setText(*chosen);
        }
    });
    row->addWidget(box, 1);
    row->addWidget(browse);
    return holder;
}

QRadioButton* PatternSettingsDialog::DrawingButton(PatternDrawing drawing) const {
    for (std::size_t i = 0; i < std::size(kDrawingChoices); ++i) {
        if (kDrawingChoices[i].drawing == drawing) {
            return drawing_[i];
        }
    }
    return nullptr;
}

void PatternSettingsDialog::ShowValues() {
    DrawingButton(values_.drawing)->setChecked(true);
    (values_.monochrome ? monochrome_ : colour_)->setChecked(true);
    lineWidth_->setText(FromCp932(values_.lineWidth));
    lineColour_->setText(FromCp932(values_.lineColour));
    mixedMarking_->setChecked(values_.mixedMarking);
    masterFile_->setText(FromCp932(values_.masterFile));
    jacicFolder_->setText(FromCp932(values_.jacicFolder));
    simpleFolder_->setText(FromCp932(values_.simpleFolder));
}

bool PatternSettingsDialog::CollectValues() {
    PatternSettings values = values_;
    for (std::size_t i = 0; i < std::size(kDrawingChoices); ++i) {
        if (drawing_[i]->isChecked()) {
            values.drawing = kDrawingChoices[i].drawing;
        }
    }
    values.monochrome = monochrome_->isChecked();
    values.mixedMarking = mixedMarking_->isChecked();
    const std::pair<QLineEdit*, std::string*> texts[] = {{lineWidth_, &values.lineWidth},
                                                         {lineColour_, &values.lineColour},
                                                         {masterFile_, &values.masterFile},
                                                         {jacicFolder_, &values.jacicFolder},
                                                         {simpleFolder_, &values.simpleFolder}};
    for (const auto& [box, value] : texts) {
        const auto bytes = ToCp932(box->text().trimmed(), box->accessibleName(), messages_);
        if (!bytes) {
            box->setFocus();
            return false;
        }
        *value = *bytes;
    }
    values_ = values;
    return true;
}

void PatternSettingsDialog::accept() {
    if (!CollectValues()) {
        return;
    }
    PatternSettingsField faulty = PatternSettingsField::kMasterFile;
    if (!CheckPatternSettings(values_, messages_, &faulty)) {
        QLineEdit* boxes[] = {masterFile_, jacicFolder_, simpleFolder_, lineWidth_, lineColour_};
        QLineEdit* box = boxes[static_cast<int>(faulty)];
        box->setFocus();
        box->selectAll();
        return;
    }
    QDialog::accept();
}

std::optional<QString> PatternSettingsDialog::ChooseFile(const QString& current) {
    const QString chosen = QFileDialog::getOpenFileName(this, QStringLiteral("土質名マスタファイル"), current,
                                                        QStringLiteral("マスタファイル (*.mst);;すべて (*)"));
    return chosen.isEmpty() ? std::nullopt : std::optional<QString>(chosen);
}

std::optional<QString> PatternSettingsDialog::ChooseFolder(const QString& current) {
    const QString chosen =
        QFileDialog::getExistingDirectory(this, QStringLiteral("ビットマップパターンフォルダ"), current);
    return chosen.isEmpty() ? std::nullopt : std::optional<QString>(chosen);
}

std::optional<QColor> PatternSettingsDialog::ChooseColour(const QColor& current) {
    const QColor chosen = QColorDialog::getColor(current, this, QStringLiteral("線の色"));
    return chosen.isValid() ? std::optional<QColor>(chosen) : std::nullopt;
}

}  // namespace ravesect::app
