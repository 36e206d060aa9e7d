// The format and decimals dialog over rave::FormatDecimalsEditor.
#include "ravelog/app/format_decimals_dialog.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "ravelog/app/main_frame.h"
#include "ravelog/app/settings_dialog_support.h"

namespace ravelog::app {

namespace {

struct RadioGroupTexts {
    QString title;
    QStringList choices;
};

// The titles a drop-down offers; any other text may be typed.
QStringList TitleChoices() {
    return {QStringLiteral("スクリューウエイト貫入試験"),
            QStringLiteral("スクリューウエイト貫入試験換算結果"),
            QStringLiteral("スウェーデン式サウンディング試験"),
            QStringLiteral("スウェーデン式サウンディング試験換算結果")};
}

}  // namespace

rave::DepthDecimalsReminder& RunDepthDecimalsReminder() {
    static rave::DepthDecimalsReminder reminder;
    return reminder;
}

FormatDecimalsDialog::FormatDecimalsDialog(MainFrame& frame, rave::DepthDecimalsReminder& reminder,
                                           QWidget* parent)
    : QDialog(parent), frame_(frame), reminder_(reminder), model_(frame.Files().settings) {
    setWindowTitle(QStringLiteral("様式/桁数"));
    const QString plotDepth[] = {QStringLiteral("貫入深さ位置"), QStringLiteral("前深さとの中間")};
    const std::array<RadioGroupTexts, 6> radioTexts{{
        {QStringLiteral("データ入力順序"),
         {QStringLiteral("荷重WswkN → 半回転Nsw → 貫入深さm"),
          QStringLiteral("貫入深さm → 荷重WswkN → 半回転Nsw")}},
        {QStringLiteral("荷重Wswの表示単位"), {QStringLiteral("kN"), QStringLiteral("N")}},
        {QStringLiteral("貫入量Lの表示単位"), {QStringLiteral("cm"), QStringLiteral("m")}},
        {QStringLiteral("換算Ｎ値プロット深度の初期設定"), {plotDepth[0], plotDepth[1]}},
        {QStringLiteral("換算qu,qaプロット深度の初期設定"), {plotDepth[0], plotDepth[1]}},
        {QStringLiteral("保存（OKボタン）時の小数以下桁数"),
         {QStringLiteral("小数以下2桁に整形"), QStringLiteral("自動 (有効桁まで)"),
          QStringLiteral("文字どおり")}},
    }};

    auto* columns = new QGridLayout;
    for (std::size_t g = 0; g < radioTexts.size(); ++g) {
        auto* box = new QGroupBox(radioTexts[g].title);
        auto* boxLayout = new QVBoxLayout(box);
        groups_[g] = new QButtonGroup(this);
        for (int c = 0; c < radioTexts[g].choices.size(); ++c) {
            auto* radio = new QRadioButton(radioTexts[g].choices[c]);
            radio->setAccessibleName(radioTexts[g].title + QLatin1Char(' ') + radioTexts[g].choices[c]);
            groups_[g]->addButton(radio, c);
            boxLayout->addWidget(radio);
        }
        // Left column: input order, units; right column: plot depths, stored decimals.
        const int column = g < 3 ? 0 : 1;
        columns->addWidget(box, static_cast<int>(g % 3), column);
    }

    auto* decimalsBox = new QGroupBox(QStringLiteral("小数以下表示桁数"));
    auto* decimalsLayout = new QGridLayout(decimalsBox);
    const QString decimalsLabels[] = {QStringLiteral("貫入深さ"),   QStringLiteral("半回転数Na"),
                                      QStringLiteral("貫入量 Ｌ"),  QStringLiteral("換算Ｎ値"),
                                      QStringLiteral("換算ｑｕ値"), QStringLiteral("換算ｑa値")};
    for (std::size_t i = 0; i < decimals_.size(); ++i) {
        decimals_[i] = new QLineEdit;
        decimals_[i]->setMaximumWidth(48);
        auto* label = new QLabel(decimalsLabels[i]);
        label->setBuddy(decimals_[i]);
        NameByLabel(decimals_[i], decimalsLabels[i]);
        const int row = static_cast<int>(i % 3);
        const int column = static_cast<int>(i / 3) * 2;
        decimalsLayout->addWidget(label, row, column);
        decimalsLayout->addWidget(decimals_[i], row, column + 1);
    }
    columns->addWidget(decimalsBox, 3, 0);

    auto* titleBox = new QGroupBox(QStringLiteral("タイトルの初期設定"));
    auto* titleLayout = new QGridLayout(titleBox);
    for (int f = 0; f < 3; ++f) {
        auto* box = new QComboBox;
        box->setEditable(true);
        box->addItems(TitleChoices());
        box->setMinimumContentsLength(22);
        const QString name = QStringLiteral("様式%1").arg(f + 1);
        auto* label = new QLabel(name);
        label->setBuddy(box);
        box->setAccessibleName(QStringLiteral("タイトルの初期設定 ") + name);
        titleLayout->addWidget(label, f, 0);
        titleLayout->addWidget(box, f, 1);
        titles_[static_cast<std::size_t>(f)] = box;
    }
    columns->addWidget(titleBox, 3, 1);

    auto* companyBox = new QGroupBox(QStringLiteral("調査業者名の初期設定"));
    auto* companyLayout = new QGridLayout(companyBox);
    company_ = new QLineEdit;
    auto* companyLabel = new QLabel(QStringLiteral("名称"));
    companyLabel->setBuddy(company_);
    company_->setAccessibleName(QStringLiteral("調査業者名の初期設定 名称"));
    companyLayout->addWidget(companyLabel, 0, 0);
    companyLayout->addWidget(company_, 0, 1);
    columns->addWidget(companyBox, 4, 0, 1, 2);

    auto* selfSinkingBox = new QGroupBox(QStringLiteral("自沈層の判定"));
    auto* selfSinkingLayout = new QGridLayout(selfSinkingBox);
    selfSinking_ = new QCheckBox(QStringLiteral("自沈層の判定を様式3の特記事項に印刷する"));
    footingDepth_ = new QLineEdit;
    footingDepth_->setMaximumWidth(72);
    const QString footingText = QStringLiteral("基礎底部の深さ GL- (m)");
    auto* footingLabel = new QLabel(footingText);
    footingLabel->setBuddy(footingDepth_);
    footingDepth_->setAccessibleName(footingText);
    selfSinkingLayout->addWidget(selfSinking_, 0, 0, 1, 3);
    selfSinkingLayout->addWidget(footingLabel, 1, 0);
    selfSinkingLayout->addWidget(footingDepth_, 1, 1);
    selfSinkingLayout->setColumnStretch(2, 1);
    columns->addWidget(selfSinkingBox, 5, 0, 1, 2);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("キャンセル"));
    QPushButton* standard = buttons->addButton(QStringLiteral("標準の設定"), QDialogButtonBox::ResetRole);
    standard->setObjectName(QStringLiteral("standardButton"));
    connect(standard, &QPushButton::clicked, this, &FormatDecimalsDialog::ApplyStandard);
    connect(buttons, &QDialogButtonBox::accepted, this, &FormatDecimalsDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &FormatDecimalsDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(columns);
    layout->addWidget(buttons);
    ShowModel();
}

void FormatDecimalsDialog::ShowModel() {
    const int choices[] = {model_.dataInputOrder, model_.loadUnit,      model_.lengthUnit,
                           model_.nPlotDepth,     model_.quQaPlotDepth, model_.depthStoreFormat};
    for (std::size_t g = 0; g < groups_.size(); ++g) {
        QAbstractButton* button = groups_[g]->button(choices[g]);
        (button != nullptr ? button : groups_[g]->button(0))->setChecked(true);
    }
    const std::string* decimals[] = {&model_.depthDecimals, &model_.naDecimals, &model_.lengthDecimals,
                                     &model_.nDecimals,     &model_.quDecimals, &model_.qaDecimals};
    for (std::size_t i = 0; i < decimals_.size(); ++i) {
        decimals_[i]->setText(FromCp932(*decimals[i]));
    }
    titles_[0]->setEditText(FromCp932(model_.titleFormat1));
    titles_[1]->setEditText(FromCp932(model_.titleFormat2));
    titles_[2]->setEditText(FromCp932(model_.titleFormat3));
    company_->setText(FromCp932(model_.companyName));
    selfSinking_->setChecked(model_.printSelfSinking);
    footingDepth_->setText(FromCp932(model_.footingDepth));
}

void FormatDecimalsDialog::ApplyStandard() {
    // The company name and the self-sinking line are the user's own and kept; everything else
    // comes from the model.
    const QString company = company_->text();
    const bool selfSinking = selfSinking_->isChecked();
    const QString footing = footingDepth_->text();
    model_.ApplyStandard();
    ShowModel();
    company_->setText(company);
    selfSinking_->setChecked(selfSinking);
    footingDepth_->setText(footing);
}

bool FormatDecimalsDialog::ReadIntoModel() {
    int* choices[] = {&model_.dataInputOrder, &model_.loadUnit,      &model_.lengthUnit,
                      &model_.nPlotDepth,     &model_.quQaPlotDepth, &model_.depthStoreFormat};
    for (std::size_t g = 0; g < groups_.size(); ++g) {
        *choices[g] = std::max(0, groups_[g]->checkedId());
    }
    rave::MessageSink& messages = frame_.Messages();
    std::string* decimals[] = {&model_.depthDecimals, &model_.naDecimals, &model_.lengthDecimals,
                               &model_.nDecimals,     &model_.quDecimals, &model_.qaDecimals};
    for (std::size_t i = 0; i < decimals_.size(); ++i) {
        const auto text = ToCp932(decimals_[i]->text(), decimals_[i]->accessibleName(), messages);
        if (!text) {
            decimals_[i]->setFocus();
            return false;
        }
        *decimals[i] = *text;
    }
    std::string* titles[] = {&model_.titleFormat1, &model_.titleFormat2, &model_.titleFormat3};
    for (std::size_t f = 0; f < titles_.size(); ++f) {
        const auto text = ToCp932(titles_[f]->currentText(), titles_[f]->accessibleName(), messages);
        if (!text) {
            titles_[f]->setFocus();
            return false;
        }
        *titles[f] = *text;
    }
    const auto company = ToCp932(company_->text(), QStringLiteral("名称"), messages);
    if (!company) {
        company_->setFocus();
        return false;
    }
    model_.companyName = *company;
    model_.printSelfSinking = selfSinking_->isChecked();
    const auto footing = ToCp932(footingDepth_->text().trimmed(), footingDepth_->accessibleName(), messages);
    if (!footing) {
        footingDepth_->setFocus();
        return false;
    }
    model_.footingDepth = *footing;
    return true;
}

void FormatDecimalsDialog::accept() {
    if (!ReadIntoModel() || !model_.Validate(frame_.Messages())) {
        return;
    }
    rave::RavelogSettings edited = frame_.Files().settings;
    model_.WriteBack(edited);
    CommitSettings(frame_, edited);
    reminder_.AfterOk(frame_.Files().settings, frame_.Messages());
    QDialog::accept();
}

}  // namespace ravelog::app
