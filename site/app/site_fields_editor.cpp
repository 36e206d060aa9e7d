// The cover and conditions of the report window.
#include "site/app/site_fields_editor.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "platform/widget_text.h"

namespace site::app {

namespace {

using rave::platform::FromCp932;
using rave::platform::ToCp932;
using rave::platform::Utf8Message;

const char* const kCoverLabels[6] = {
    "件名(&K):", "調査場所(&B):", "依頼者(&I):", "調査会社(&G):", "報告日(&H):", "担当者(&T):"};
const char* const kCoverHints[6] = {"空欄: 最初の測点の調査件名", "", "", "空欄: 最初の測点の会社名",
                                    "例: 令和6年5月20日",         ""};

std::string* CoverText(CoverTexts& cover, int index) {
    std::string* texts[6] = {&cover.title,   &cover.place,      &cover.client,
                             &cover.company, &cover.reportDate, &cover.engineer};
    return texts[index];
}

}  // namespace

SiteFieldsEditor::SiteFieldsEditor(QWidget* parent) : QWidget(parent) {
    auto* coverBox = new QGroupBox(QStringLiteral("表紙"), this);
    auto* coverForm = new QFormLayout(coverBox);
    for (int i = 0; i < 6; ++i) {
        cover_[i] = new QLineEdit(coverBox);
        cover_[i]->setPlaceholderText(QString::fromUtf8(kCoverHints[i]));
        coverForm->addRow(rave::platform::BuddyLabel(QString::fromUtf8(kCoverLabels[i]), cover_[i], coverBox),
                          cover_[i]);
        connect(cover_[i], &QLineEdit::textEdited, this, [this] { Q_EMIT Edited(); });
    }

    auto* conditionsBox = new QGroupBox(QStringLiteral("検討の条件と様式"), this);
    auto* form = new QFormLayout(conditionsBox);
    footingDepth_ = new QLineEdit(conditionsBox);
    contactPressure_ = new QLineEdit(conditionsBox);
    contactPressure_->setPlaceholderText(QStringLiteral("空欄: 検討しない"));
    format_ = new QComboBox(conditionsBox);
    format_->addItems({QStringLiteral("様式1"), QStringLiteral("様式2"), QStringLiteral("様式3")});
    atElevation_ = new QCheckBox(QStringLiteral("柱状図一覧の柱を孔口標高に合わせる(&E)"), conditionsBox);
    section_ = new QLineEdit(conditionsBox);
    section_->setPlaceholderText(QStringLiteral("なし"));
    auto* chooseSection = new QPushButton(QStringLiteral("参照(&R)..."), conditionsBox);
    chooseSection->setAccessibleName(QStringLiteral("断面図ファイルを選ぶ"));
    auto* clearSection = new QPushButton(QStringLiteral("解除(&X)"), conditionsBox);
    clearSection->setAccessibleName(QStringLiteral("断面図を入れない"));
    auto* sectionRow = new QHBoxLayout;
    sectionRow->addWidget(section_, 1);
    sectionRow->addWidget(chooseSection);
    sectionRow->addWidget(clearSection);
    form->addRow(
        rave::platform::BuddyLabel(QStringLiteral("基礎の深さ F (m)(&D):"), footingDepth_, conditionsBox),
        footingDepth_);
    form->addRow(rave::platform::BuddyLabel(QStringLiteral("設計接地圧 (kN/m²)(&Q):"), contactPressure_,
                                            conditionsBox),
                 contactPressure_);
    form->addRow(rave::platform::BuddyLabel(QStringLiteral("柱状図の様式(&Y):"), format_, conditionsBox),
                 format_);
    form->addRow(QString(), atElevation_);
    form->addRow(rave::platform::BuddyLabel(QStringLiteral("断面図 (.sqw)(&N):"), section_, conditionsBox),
                 sectionRow);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(coverBox);
    layout->addWidget(conditionsBox);
    layout->addStretch(1);
    for (int i = 0; i + 1 < 6; ++i) {
        setTabOrder(cover_[i], cover_[i + 1]);
    }
    setTabOrder(cover_[5], footingDepth_);
    setTabOrder(footingDepth_, contactPressure_);
    setTabOrder(contactPressure_, format_);
    setTabOrder(format_, atElevation_);
    setTabOrder(atElevation_, section_);
    setTabOrder(section_, chooseSection);
    setTabOrder(chooseSection, clearSection);

    for (QLineEdit* field : {footingDepth_, contactPressure_, section_}) {
        connect(field, &QLineEdit::textEdited, this, [this] { Q_EMIT Edited(); });
    }
    connect(format_, &QComboBox::activated, this, [this] { Q_EMIT Edited(); });
    connect(atElevation_, &QCheckBox::toggled, this, [this] { Q_EMIT Edited(); });
    connect(chooseSection, &QPushButton::clicked, this, [this] { Q_EMIT ChooseSectionRequested(); });
    connect(clearSection, &QPushButton::clicked, this, [this] {
        section_->clear();
        Q_EMIT Edited();
    });
}

void SiteFieldsEditor::Load(const SiteReport& report) {
    CoverTexts cover = report.cover;
    for (int i = 0; i < 6; ++i) {
        cover_[i]->setText(FromCp932(*CoverText(cover, i)));
    }
    footingDepth_->setText(QString::fromStdString(ReportNumberText(report.footingDepth)));
    contactPressure_->setText(report.contactPressure
                                  ? QString::fromStdString(ReportNumberText(*report.contactPressure))
                                  : QString());
    format_->setCurrentIndex(std::clamp(report.sheetFormat, 1, 3) - 1);
    atElevation_->setChecked(report.columnsAtElevation);
    section_->setText(FromCp932(report.section));
}

bool SiteFieldsEditor::Store(SiteReport& report, rave::MessageSink& messages) {
    auto refuse = [&](QLineEdit* field, const QString& text) {
        messages.Show(Utf8Message(text));
        field->setFocus();
        return false;
    };
    for (int i = 0; i < 6; ++i) {
        const std::optional<std::string> text =
            ToCp932(cover_[i]->text(), QString::fromUtf8(kCoverLabels[i]), messages);
        if (!text) {
            cover_[i]->setFocus();
            return false;
        }
        *CoverText(report.cover, i) = *text;
    }
    const std::optional<double> depth = ParseReportNumber(footingDepth_->text().toStdString());
    if (!depth || *depth < 0) {
        return refuse(footingDepth_, QStringLiteral("基礎の深さには0以上の数値(m)を入力して下さい。"));
    }
    report.footingDepth = *depth;
    const QString pressure = contactPressure_->text().trimmed();
    if (pressure.isEmpty()) {
        report.contactPressure.reset();
    } else {
        const std::optional<double> q = ParseReportNumber(pressure.toStdString());
        if (!q || *q <= 0) {
            return refuse(
                contactPressure_,
                QStringLiteral("設計接地圧には0より大きい数値(kN/m²)を入力するか、空欄にして下さい。"));
        }
        report.contactPressure = q;
    }
    report.sheetFormat = format_->currentIndex() + 1;
    report.columnsAtElevation = atElevation_->isChecked();
    const std::optional<std::string> section = ToCp932(section_->text(), QStringLiteral("断面図"), messages);
    if (!section) {
        section_->setFocus();
        return false;
    }
    report.section = *section;
    return true;
}

}  // namespace site::app
