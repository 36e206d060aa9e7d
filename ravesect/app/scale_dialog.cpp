// The scale dialog.
#include "ravesect/app/scale_dialog.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <cmath>

#include "common/field_validation.h"
#include "common/format.h"
#include "common/numbers.h"
#include "common/text_fields.h"
#include "platform/codec.h"
#include "ravesect/app/dialog_support.h"

namespace ravesect::app {

namespace {

std::string Bytes(const QLineEdit* box) {
    return rave::platform::Utf8ToCp932(box->text().toStdString()).value_or(std::string());
}

QString Text(const std::string& cp932) {
    return FromCp932(cp932);
}

QLineEdit* NumberBox(QWidget* parent, bool readOnly = false) {
    auto* box = new QLineEdit(parent);
    box->setMaximumWidth(80);
    box->setAlignment(Qt::AlignRight);
    box->setReadOnly(readOnly);
    return box;
}

}  // namespace

ScaleSettingsDialog::ScaleSettingsDialog(const SectionDocument& document, const SectionPaper& paper,
                                         const SysqSettings& sysq, rave::MessageSink& messages,
                                         QWidget* parent)
    : QDialog(parent),
      document_(document),
      sysq_(sysq),
      messages_(messages),
      loop_(document.settings),
      paper_(paper) {
    setWindowTitle(QStringLiteral("縮尺/標尺"));
    for (QLineEdit*& box : fields_) {
        box = NumberBox(this);
    }
    paperHeight_ = NumberBox(this);
    paperWidth_ = NumberBox(this);
    depthMetres_ = NumberBox(this, true);
    distanceMetres_ = NumberBox(this, true);
    bottomElevation_ = NumberBox(this, true);

    QWidget* scaleGroup = BuildScaleGroup();
    QWidget* paperGroup = BuildPaperGroup();
    QWidget* rulerGroup = BuildRulerGroup();
    QWidget* depthGroup = nullptr;
    QWidget* distanceGroup = nullptr;
    BuildPageGroups(depthGroup, distanceGroup);
    QDialogButtonBox* buttons = BuildButtons();
    auto* top = new QHBoxLayout;
    top->addWidget(scaleGroup);
    top->addWidget(paperGroup, 1);
    auto* middle = new QHBoxLayout;
    middle->addWidget(depthGroup);
    middle->addWidget(distanceGroup);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(standardButton_);
    bottom->addStretch();
    bottom->addWidget(buttons);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(rulerGroup);
    layout->addLayout(middle);
    layout->addWidget(new QLabel(
        QStringLiteral("印刷は距離方向にのみ改頁します。深度方向は「上端の標高」で設定します。"), this));
    layout->addLayout(bottom);

    ConnectFields(buttons);
    ShowSettings();
}

QLabel* ScaleSettingsDialog::Label(const QString& text, QWidget* field) {
    return BuddyLabel(text, field, this);
}

QLabel* ScaleSettingsDialog::Unit(const QString& text) {
    return new QLabel(text, this);
}

QWidget* ScaleSettingsDialog::BuildScaleGroup() {
    auto* scaleGroup = new QGroupBox(QStringLiteral("縮尺"), this);
    auto* scaleGrid = new QGridLayout(scaleGroup);
    scaleGrid->addWidget(Label(QStringLiteral("距離(&X)"), Field(ScaleField::kDistanceScale)), 0, 0);
    scaleGrid->addWidget(Unit(QStringLiteral("1/")), 0, 1);
    scaleGrid->addWidget(Field(ScaleField::kDistanceScale), 0, 2);
    scaleGrid->addWidget(Label(QStringLiteral("深度(&Z)"), Field(ScaleField::kDepthScale)), 1, 0);
    scaleGrid->addWidget(Unit(QStringLiteral("1/")), 1, 1);
    scaleGrid->addWidget(Field(ScaleField::kDepthScale), 1, 2);
    return scaleGroup;
}

QWidget* ScaleSettingsDialog::BuildPaperGroup() {
    auto* paperGroup = new QGroupBox(QStringLiteral("用紙と1ページの長さ"), this);
    auto* paperGrid = new QGridLayout(paperGroup);
    paperGrid->addWidget(Label(QStringLiteral("縦"), paperHeight_), 0, 0);
    paperGrid->addWidget(paperHeight_, 0, 1);
    paperGrid->addWidget(Unit(QStringLiteral("mm")), 0, 2);
    paperGrid->addWidget(Label(QStringLiteral("縦"), depthMetres_), 0, 3);
    paperGrid->addWidget(depthMetres_, 0, 4);
    paperGrid->addWidget(Unit(QStringLiteral("m")), 0, 5);
    paperGrid->addWidget(Label(QStringLiteral("横"), paperWidth_), 1, 0);
    paperGrid->addWidget(paperWidth_, 1, 1);
    paperGrid->addWidget(Unit(QStringLiteral("mm")), 1, 2);
    paperGrid->addWidget(Label(QStringLiteral("横"), distanceMetres_), 1, 3);
    paperGrid->addWidget(distanceMetres_, 1, 4);
    paperGrid->addWidget(Unit(QStringLiteral("m")), 1, 5);
    paperHeight_->setAccessibleName(QStringLiteral("用紙 縦 mm"));
    paperWidth_->setAccessibleName(QStringLiteral("用紙 横 mm"));
    depthMetres_->setAccessibleName(QStringLiteral("1ページ 縦 m"));
    distanceMetres_->setAccessibleName(QStringLiteral("1ページ 横 m"));
    return paperGroup;
}

QWidget* ScaleSettingsDialog::BuildRulerGroup() {
    auto* rulerGroup = new QGroupBox(QStringLiteral("標尺"), this);
    auto* rulerGrid = new QGridLayout(rulerGroup);
    int column = 0;
    for (const auto& [f, text] : {std::pair{ScaleField::kRulerTop, QStringLiteral("から")},
                                  std::pair{ScaleField::kRulerBottom, QStringLiteral("まで")},
                                  std::pair{ScaleField::kRulerStep, QStringLiteral("きざみ")}}) {
        rulerGrid->addWidget(Field(f), 0, column++);
        rulerGrid->addWidget(Label(text, Field(f)), 0, column++);
    }
    rulerGrid->addWidget(Unit(QStringLiteral("m")), 0, column);
    return rulerGroup;
}

void ScaleSettingsDialog::BuildPageGroups(QWidget*& depthGroup, QWidget*& distanceGroup) {
    depthGroup = new QGroupBox(QStringLiteral("深度方向"), this);
    auto* depthGrid = new QGridLayout(depthGroup);
    distanceGroup = new QGroupBox(QStringLiteral("距離方向"), this);
    auto* distanceGrid = new QGridLayout(distanceGroup);
    auto row = [&](QGridLayout* grid, int r, const QString& text, QLineEdit* box) {
        grid->addWidget(Label(text, box), r, 0);
        grid->addWidget(box, r, 1);
        grid->addWidget(Unit(QStringLiteral("m")), r, 2);
    };
    row(depthGrid, 0, QStringLiteral("上端の標高"), Field(ScaleField::kTopElevation));
    row(depthGrid, 1, QStringLiteral("１ページの深度"), Field(ScaleField::kDepthPerPage));
    row(depthGrid, 2, QStringLiteral("改ページ重複深度"), Field(ScaleField::kPageOverlapDepth));
    row(depthGrid, 3, QStringLiteral("下端の標高"), bottomElevation_);
    row(distanceGrid, 0, QStringLiteral("左端の距離"), Field(ScaleField::kLeftEnd));
    row(distanceGrid, 1, QStringLiteral("１ページの距離"), Field(ScaleField::kDistancePerPage));
    row(distanceGrid, 2, QStringLiteral("改ページ重複距離"), Field(ScaleField::kPageOverlapDistance));
    distanceGrid->setRowStretch(3, 1);
}

QDialogButtonBox* ScaleSettingsDialog::BuildButtons() {
    standardButton_ = new QPushButton(QStringLiteral("標準の設定"), this);
    standardButton_->setAutoDefault(false);
    connect(standardButton_, &QPushButton::clicked, this, &ScaleSettingsDialog::ApplyStandard);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("キャンセル"));
    connect(buttons, &QDialogButtonBox::accepted, this, &ScaleSettingsDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    return buttons;
}

void ScaleSettingsDialog::ConnectFields(QDialogButtonBox* buttons) {
    // The page lengths follow a scale or paper field when it loses the focus.
    for (QLineEdit* box :
         {Field(ScaleField::kDistanceScale), Field(ScaleField::kDepthScale), paperHeight_, paperWidth_}) {
        connect(box, &QLineEdit::editingFinished, this, &ScaleSettingsDialog::ShowPageLengths);
    }
    for (QLineEdit* box : {Field(ScaleField::kTopElevation), Field(ScaleField::kDepthPerPage)}) {
        connect(box, &QLineEdit::textChanged, this, &ScaleSettingsDialog::ShowBottomElevation);
    }
    QWidget* order[] = {Field(ScaleField::kDistanceScale),
                        Field(ScaleField::kDepthScale),
                        paperHeight_,
                        paperWidth_,
                        Field(ScaleField::kRulerTop),
                        Field(ScaleField::kRulerBottom),
                        Field(ScaleField::kRulerStep),
                        Field(ScaleField::kTopElevation),
                        Field(ScaleField::kDepthPerPage),
                        Field(ScaleField::kPageOverlapDepth),
                        Field(ScaleField::kLeftEnd),
                        Field(ScaleField::kDistancePerPage),
                        Field(ScaleField::kPageOverlapDistance),
                        standardButton_,
                        buttons};
    for (std::size_t i = 1; i < std::size(order); ++i) {
        setTabOrder(order[i - 1], order[i]);
    }
}

QLineEdit* ScaleSettingsDialog::Field(ScaleField field) const {
    return fields_[static_cast<int>(field)];
}

void ScaleSettingsDialog::ShowSettings() {
    const SectionSettings& shown = loop_.Values();
    for (int f = 0; f < kScaleFieldCount; ++f) {
        const auto field = static_cast<ScaleField>(f);
        fields_[f]->setText(field == ScaleField::kTopElevation
                                ? Text(rave::FormatText("%.2f", shown.topElevation))
                                : QString::number(static_cast<int>(ScaleFieldValue(shown, field))));
    }
    paperHeight_->setText(QString::number(paper_.heightMm));
    paperWidth_->setText(QString::number(paper_.widthMm));
    distanceMetres_->setText(QString::number(std::max(PaperDistancePerPage(shown, paper_, sysq_), 0)));
    depthMetres_->setText(QString::number(std::max(PaperDepthPerPage(shown, paper_, sysq_), 0)));
    ShowBottomElevation();
}

ScaleFieldTexts ScaleSettingsDialog::FieldTexts() const {
    ScaleFieldTexts texts;
    for (int f = 0; f < kScaleFieldCount; ++f) {
        texts[static_cast<std::size_t>(f)] = Bytes(fields_[f]);
    }
    return texts;
}

void ScaleSettingsDialog::CollectLenient(SectionSettings& settings, SectionPaper& paper) const {
    const ScaleFieldTexts texts = FieldTexts();
    for (int f = 0; f < kScaleFieldCount; ++f) {
        SetScaleFieldValue(settings, static_cast<ScaleField>(f),
                           rave::ParseDecimal(texts[static_cast<std::size_t>(f)]));
    }
    paper.heightMm = static_cast<int>(rave::ParseInteger(Bytes(paperHeight_)));
    paper.widthMm = static_cast<int>(rave::ParseInteger(Bytes(paperWidth_)));
}

std::optional<SectionSettings> ScaleSettingsDialog::CollectChecked() {
    for (QLineEdit* box : {paperHeight_, paperWidth_}) {
        if (!rave::CheckIntegerInRange(Bytes(box), 1, 10000, messages_)) {
            box->setFocus();
            box->selectAll();
            return std::nullopt;
        }
    }
    SectionSettings values = loop_.Values();
    if (const std::optional<ScaleField> refused = ReadScaleFields(FieldTexts(), values, messages_)) {
        Field(*refused)->setFocus();
        Field(*refused)->selectAll();
        return std::nullopt;
    }
    paper_.heightMm = static_cast<int>(rave::ParseInteger(Bytes(paperHeight_)));
    paper_.widthMm = static_cast<int>(rave::ParseInteger(Bytes(paperWidth_)));
    return values;
}

void ScaleSettingsDialog::ShowPageLengths() {
    SectionSettings values = loop_.Values();
    SectionPaper paper = paper_;
    CollectLenient(values, paper);
    const PageLengthsShown shown = ravesect::ShowPageLengths(values, paper, sysq_, messages_);
    distanceMetres_->setText(QString::number(shown.distanceMetres));
    depthMetres_->setText(QString::number(shown.depthMetres));
}

void ScaleSettingsDialog::ShowBottomElevation() {
    SectionSettings values = loop_.Values();
    values.topElevation = rave::ParseDecimal(Bytes(Field(ScaleField::kTopElevation)));
    values.depthPerPage = static_cast<int>(rave::ParseInteger(Bytes(Field(ScaleField::kDepthPerPage))));
    bottomElevation_->setText(Text(BottomElevationText(values)));
}

void ScaleSettingsDialog::ApplyStandard() {
    SectionSettings values = loop_.Values();
    CollectLenient(values, paper_);
    ApplyStandardScaleSettings(values, document_, paper_, sysq_);
    loop_.SetValues(values);
    ShowSettings();
}

void ScaleSettingsDialog::accept() {
    const std::optional<SectionSettings> entered = CollectChecked();
    if (!entered) {
        return;
    }
    // A correction reopens the dialog with the corrected values; after the ninth the values are
    // taken over without being written.
    const std::optional<ScaleDialogResult> result = loop_.Ok(*entered, paper_, sysq_, messages_);
    if (!result) {
        ShowSettings();
        return;
    }
    result_ = *result;
    QDialog::accept();
}

}  // namespace ravesect::app
