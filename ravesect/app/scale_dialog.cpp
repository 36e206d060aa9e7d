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

constexpr int kFieldCount = static_cast<int>(ScaleField::kPageOverlapDistance) + 1;

int& IntValue(SectionSettings& s, ScaleField field) {
    switch (field) {
        case ScaleField::kDistanceScale:
            return s.distanceScale;
        case ScaleField::kDepthScale:
            return s.depthScale;
        case ScaleField::kRulerTop:
            return s.rulerTop;
        case ScaleField::kRulerBottom:
            return s.rulerBottom;
        case ScaleField::kRulerStep:
            return s.rulerStep;
        case ScaleField::kDepthPerPage:
            return s.depthPerPage;
        case ScaleField::kPageOverlapDepth:
            return s.pageOverlapDepth;
        case ScaleField::kLeftEnd:
            return s.leftEnd;
        case ScaleField::kDistancePerPage:
            return s.distancePerPage;
        case ScaleField::kPageOverlapDistance:
        default:
            return s.pageOverlapDistance;
    }
}

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
      settings_(document.settings),
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

    auto label = [this](const QString& text, QWidget* field) { return BuddyLabel(text, field, this); };
    auto unit = [this](const QString& text) { return new QLabel(text, this); };
    auto field = [this](ScaleField f) { return fields_[static_cast<int>(f)]; };

    auto* scaleGroup = new QGroupBox(QStringLiteral("縮尺"), this);
    auto* scaleGrid = new QGridLayout(scaleGroup);
    scaleGrid->addWidget(label(QStringLiteral("距離(&X)"), field(ScaleField::kDistanceScale)), 0, 0);
    scaleGrid->addWidget(unit(QStringLiteral("1/")), 0, 1);
    scaleGrid->addWidget(field(ScaleField::kDistanceScale), 0, 2);
    scaleGrid->addWidget(label(QStringLiteral("深度(&Z)"), field(ScaleField::kDepthScale)), 1, 0);
    scaleGrid->addWidget(unit(QStringLiteral("1/")), 1, 1);
    scaleGrid->addWidget(field(ScaleField::kDepthScale), 1, 2);

    auto* paperGroup = new QGroupBox(QStringLiteral("用紙と1ページの長さ"), this);
    auto* paperGrid = new QGridLayout(paperGroup);
    paperGrid->addWidget(label(QStringLiteral("縦"), paperHeight_), 0, 0);
    paperGrid->addWidget(paperHeight_, 0, 1);
    paperGrid->addWidget(unit(QStringLiteral("mm")), 0, 2);
    paperGrid->addWidget(label(QStringLiteral("縦"), depthMetres_), 0, 3);
    paperGrid->addWidget(depthMetres_, 0, 4);
    paperGrid->addWidget(unit(QStringLiteral("m")), 0, 5);
    paperGrid->addWidget(label(QStringLiteral("横"), paperWidth_), 1, 0);
    paperGrid->addWidget(paperWidth_, 1, 1);
    paperGrid->addWidget(unit(QStringLiteral("mm")), 1, 2);
    paperGrid->addWidget(label(QStringLiteral("横"), distanceMetres_), 1, 3);
    paperGrid->addWidget(distanceMetres_, 1, 4);
    paperGrid->addWidget(unit(QStringLiteral("m")), 1, 5);
    paperHeight_->setAccessibleName(QStringLiteral("用紙 縦 mm"));
    paperWidth_->setAccessibleName(QStringLiteral("用紙 横 mm"));
    depthMetres_->setAccessibleName(QStringLiteral("1ページ 縦 m"));
    distanceMetres_->setAccessibleName(QStringLiteral("1ページ 横 m"));

    auto* rulerGroup = new QGroupBox(QStringLiteral("標尺"), this);
    auto* rulerGrid = new QGridLayout(rulerGroup);
    int column = 0;
    for (const auto& [f, text] : {std::pair{ScaleField::kRulerTop, QStringLiteral("から")},
                                  std::pair{ScaleField::kRulerBottom, QStringLiteral("まで")},
                                  std::pair{ScaleField::kRulerStep, QStringLiteral("きざみ")}}) {
        rulerGrid->addWidget(field(f), 0, column++);
        rulerGrid->addWidget(label(text, field(f)), 0, column++);
    }
    rulerGrid->addWidget(unit(QStringLiteral("m")), 0, column);

    auto* depthGroup = new QGroupBox(QStringLiteral("深度方向"), this);
    auto* depthGrid = new QGridLayout(depthGroup);
    auto* distanceGroup = new QGroupBox(QStringLiteral("距離方向"), this);
    auto* distanceGrid = new QGridLayout(distanceGroup);
    auto row = [&](QGridLayout* grid, int r, const QString& text, QLineEdit* box) {
        grid->addWidget(label(text, box), r, 0);
        grid->addWidget(box, r, 1);
        grid->addWidget(unit(QStringLiteral("m")), r, 2);
    };
    row(depthGrid, 0, QStringLiteral("上端の標高"), field(ScaleField::kTopElevation));
    row(depthGrid, 1, QStringLiteral("１ページの深度"), field(ScaleField::kDepthPerPage));
    row(depthGrid, 2, QStringLiteral("改ページ重複深度"), field(ScaleField::kPageOverlapDepth));
    row(depthGrid, 3, QStringLiteral("下端の標高"), bottomElevation_);
    row(distanceGrid, 0, QStringLiteral("左端の距離"), field(ScaleField::kLeftEnd));
    row(distanceGrid, 1, QStringLiteral("１ページの距離"), field(ScaleField::kDistancePerPage));
    row(distanceGrid, 2, QStringLiteral("改ページ重複距離"), field(ScaleField::kPageOverlapDistance));
    distanceGrid->setRowStretch(3, 1);

    standardButton_ = new QPushButton(QStringLiteral("標準の設定"), this);
    standardButton_->setAutoDefault(false);
    connect(standardButton_, &QPushButton::clicked, this, &ScaleSettingsDialog::ApplyStandard);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("キャンセル"));
    connect(buttons, &QDialogButtonBox::accepted, this, &ScaleSettingsDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

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

    // The page lengths follow a scale or paper field when it loses the focus.
    for (QLineEdit* box :
         {field(ScaleField::kDistanceScale), field(ScaleField::kDepthScale), paperHeight_, paperWidth_}) {
        connect(box, &QLineEdit::editingFinished, this, &ScaleSettingsDialog::ShowPageLengths);
    }
    for (QLineEdit* box : {field(ScaleField::kTopElevation), field(ScaleField::kDepthPerPage)}) {
        connect(box, &QLineEdit::textChanged, this, &ScaleSettingsDialog::ShowBottomElevation);
    }
    QWidget* order[] = {field(ScaleField::kDistanceScale),
                        field(ScaleField::kDepthScale),
                        paperHeight_,
                        paperWidth_,
                        field(ScaleField::kRulerTop),
                        field(ScaleField::kRulerBottom),
                        field(ScaleField::kRulerStep),
                        field(ScaleField::kTopElevation),
                        field(ScaleField::kDepthPerPage),
                        field(ScaleField::kPageOverlapDepth),
                        field(ScaleField::kLeftEnd),
                        field(ScaleField::kDistancePerPage),
                        field(ScaleField::kPageOverlapDistance),
                        standardButton_,
                        buttons};
    for (std::size_t i = 1; i < std::size(order); ++i) {
        setTabOrder(order[i - 1], order[i]);
    }
    ShowSettings();
}

QLineEdit* ScaleSettingsDialog::Field(ScaleField field) const {
    return fields_[static_cast<int>(field)];
}

void ScaleSettingsDialog::ShowSettings() {
    for (int f = 0; f < kFieldCount; ++f) {
        const auto field = static_cast<ScaleField>(f);
        const QString text = field == ScaleField::kTopElevation
                                 ? Text(rave::FormatText("%.2f", settings_.topElevation))
                                 : QString::number(IntValue(settings_, field));
        fields_[f]->setText(text);
    }
    paperHeight_->setText(QString::number(paper_.heightMm));
    paperWidth_->setText(QString::number(paper_.widthMm));
    const PageLengthsShown shown{PaperDistancePerPage(settings_, paper_, sysq_),
                                 PaperDepthPerPage(settings_, paper_, sysq_)};
    distanceMetres_->setText(QString::number(std::max(shown.distanceMetres, 0)));
    depthMetres_->setText(QString::number(std::max(shown.depthMetres, 0)));
    ShowBottomElevation();
}

void ScaleSettingsDialog::CollectLenient(SectionSettings& settings, SectionPaper& paper) const {
    for (int f = 0; f < kFieldCount; ++f) {
        const auto field = static_cast<ScaleField>(f);
        const std::string text = Bytes(fields_[f]);
        if (field == ScaleField::kTopElevation) {
            settings.topElevation = rave::ParseDecimal(text);
        } else {
            IntValue(settings, field) = static_cast<int>(rave::ParseInteger(text));
        }
    }
    paper.heightMm = static_cast<int>(rave::ParseInteger(Bytes(paperHeight_)));
    paper.widthMm = static_cast<int>(rave::ParseInteger(Bytes(paperWidth_)));
}

bool ScaleSettingsDialog::CollectChecked() {
    SectionSettings values = settings_;
    SectionPaper paper = paper_;
    for (QLineEdit* box : {paperHeight_, paperWidth_}) {
        if (!rave::CheckIntegerInRange(Bytes(box), 1, 10000, messages_)) {
            box->setFocus();
            box->selectAll();
            return false;
        }
    }
    for (int f = 0; f < kFieldCount; ++f) {
        const auto field = static_cast<ScaleField>(f);
        const FieldRange range = ScaleFieldRange(field);
        const std::string text = Bytes(fields_[f]);
        bool ok = false;
        if (field == ScaleField::kTopElevation) {
            ok = rave::IsNumericStart(text) == 1 && InScaleFieldRange(field, rave::ParseDecimal(text));
            if (!ok) {
                messages_.Show(Cp932Message(0, QStringLiteral("%1 から %2 までの数値を入力してください。")
                                                   .arg(range.lowest)
                                                   .arg(range.highest)));
            }
        } else {
            ok = rave::CheckIntegerInRange(text, static_cast<long>(range.lowest),
                                           static_cast<long>(range.highest), messages_);
        }
        if (!ok) {
            fields_[f]->setFocus();
            fields_[f]->selectAll();
            return false;
        }
    }
    CollectLenient(values, paper);
    settings_ = values;
    paper_ = paper;
    return true;
}

void ScaleSettingsDialog::ShowPageLengths() {
    SectionSettings values = settings_;
    SectionPaper paper = paper_;
    CollectLenient(values, paper);
    const PageLengthsShown shown = ravesect::ShowPageLengths(values, paper, sysq_, messages_);
    distanceMetres_->setText(QString::number(shown.distanceMetres));
    depthMetres_->setText(QString::number(shown.depthMetres));
}

void ScaleSettingsDialog::ShowBottomElevation() {
    SectionSettings values = settings_;
    values.topElevation = rave::ParseDecimal(Bytes(Field(ScaleField::kTopElevation)));
    values.depthPerPage = static_cast<int>(rave::ParseInteger(Bytes(Field(ScaleField::kDepthPerPage))));
    bottomElevation_->setText(Text(BottomElevationText(values)));
}

void ScaleSettingsDialog::ApplyStandard() {
    CollectLenient(settings_, paper_);
    ApplyStandardScaleSettings(settings_, document_, paper_, sysq_);
    ShowSettings();
}

void ScaleSettingsDialog::accept() {
    if (!CollectChecked()) {
        return;
    }
    const bool clean = CorrectScaleSettings(settings_, paper_, sysq_, messages_);
    if (clean) {
        result_ = ScaleDialogResult::kAccepted;
        QDialog::accept();
        return;
    }
    // A correction reopens the dialog with the corrected values; after the ninth the values are
    // taken over without being written.
    if (++openings_ > kMaxScaleDialogReopenings) {
        result_ = ScaleDialogResult::kGaveUp;
        QDialog::accept();
        return;
    }
    ShowSettings();
}

}  // namespace ravesect::app
