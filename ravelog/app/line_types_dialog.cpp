// The line-type dialog over rave::LineTypeEditor.
#include "ravelog/app/line_types_dialog.h"

#include <QColorDialog>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "common/numbers.h"
#include "common/pattern_colors.h"
#include "ravelog/app/main_frame.h"
#include "ravelog/app/settings_dialog_support.h"

namespace ravelog::app {

namespace {

namespace line = rave::sysline;

// One row of the grid: a label, the width line, whether a solid part and gap follow it, and the
// colour line (0: none).
struct LineRow {
    QString group;
    QString label;
    int widthLine;
    bool dashed;
    int colourLine;
};

QColor FromColorRef(long value) {
    return QColor(static_cast<int>(value & 0xFF), static_cast<int>((value >> 8) & 0xFF),
                  static_cast<int>((value >> 16) & 0xFF));
}

long ToColorRef(const QColor& colour) {
    return static_cast<long>(colour.red()) | (static_cast<long>(colour.green()) << 8) |
           (static_cast<long>(colour.blue()) << 16);
}

}  // namespace

LineTypesDialog::LineTypesDialog(MainFrame& frame, QWidget* parent)
    : QDialog(parent), frame_(frame), model_(frame.Files().settings) {
    setWindowTitle(QStringLiteral("線種"));
    const LineRow rows[] = {
        {QStringLiteral("図表枠"), QStringLiteral("外枠"), line::kFrameOuterWidth, false, 0},
        {QStringLiteral("図表枠"), QStringLiteral("区切り線"), line::kFrameSeparatorWidth, false, 0},
        {QString(), QStringLiteral("調査件名の下線"), line::kUnderlineWidth, true, 0},
        {QString(), QStringLiteral("表横罫線"), line::kTableRuleWidth, true, line::kTableRuleColour},
        {QStringLiteral("グラフグリッド線"), QStringLiteral("10mm"), line::kGrid10Width, false, 0},
        {QStringLiteral("グラフグリッド線"), QStringLiteral("5mm"), line::kGrid5Width, true,
         line::kGrid5Colour},
        {QStringLiteral("グラフグリッド線"), QStringLiteral("1mm・対数線"), line::kGrid1Width, true,
         line::kGrid1Colour},
        {QStringLiteral("プロット線"), QStringLiteral("WswNsw"), line::kPlotWswNswWidth, false,
         line::kPlotWswNswColour},
        {QStringLiteral("プロット線"), QStringLiteral("Ｎ値"), line::kPlotNWidth, false, line::kPlotNColour},
        {QStringLiteral("プロット線"), QStringLiteral("ｑｕ、qa"), line::kPlotQuQaWidth, false,
         line::kPlotQuQaColour},
    };

    auto* grid = new QGridLayout;
    const QString headings[] = {QStringLiteral("線幅"), QStringLiteral("実線部"), QStringLiteral("間隔"),
                                QStringLiteral("色")};
    for (int h = 0; h < 4; ++h) {
        grid->addWidget(new QLabel(headings[h]), 0, 2 + h, Qt::AlignCenter);
    }
    QString lastGroup;
    int gridRow = 1;
    const auto addField = [this, grid](int settingsLine, const QString& name, int row, int column,
                                       int width) {
        auto* edit = new QLineEdit;
        edit->setFixedWidth(width);
        edit->setAccessibleName(name);
        fields_[settingsLine] = edit;
        grid->addWidget(edit, row, column);
        return edit;
    };
    for (const LineRow& r : rows) {
        if (!r.group.isEmpty() && r.group != lastGroup) {
            grid->addWidget(new QLabel(QStringLiteral("<b>%1</b>").arg(r.group)), gridRow, 0);
        }
        lastGroup = r.group;
        const QString name = r.group.isEmpty() ? r.label : r.group + QLatin1Char(' ') + r.label;
        auto* label = new QLabel(r.label);
        grid->addWidget(label, gridRow, 1);
        label->setBuddy(addField(r.widthLine, name + QStringLiteral(" 線幅"), gridRow, 2, 48));
        if (r.dashed) {
            addField(r.widthLine + 1, name + QStringLiteral(" 実線部"), gridRow, 3, 48);
            addField(r.widthLine + 2, name + QStringLiteral(" 間隔"), gridRow, 4, 48);
        }
        if (r.colourLine != 0) {
            QLineEdit* colourField = addField(r.colourLine, name + QStringLiteral(" 色"), gridRow, 5, 92);
            auto* button = new QPushButton(QStringLiteral("色"));
            button->setAccessibleName(name + QStringLiteral(" 色の選択"));
            colourButtons_[r.colourLine] = button;
            // The button shows the colour the field holds.
            connect(colourField, &QLineEdit::textChanged, button, [button](const QString& text) {
                QPixmap swatch(14, 14);
                swatch.fill(text.trimmed().isEmpty()
                                ? QColor(Qt::transparent)
                                : FromColorRef(rave::ParseColorValue(text.toStdString())));
                button->setIcon(QIcon(swatch));
            });
            const int colourLine = r.colourLine;
            connect(button, &QPushButton::clicked, this, [this, colourLine] { ChooseColourFor(colourLine); });
            grid->addWidget(button, gridRow, 6);
        }
        ++gridRow;
    }
    plotStyle_ = new QComboBox;
    plotStyle_->addItems({QStringLiteral("── "), QStringLiteral(" - - "), QStringLiteral("－－")});
    auto* styleLabel = new QLabel(QStringLiteral("プロット線の線種"));
    styleLabel->setBuddy(plotStyle_);
    plotStyle_->setAccessibleName(styleLabel->text());
    grid->addWidget(styleLabel, gridRow, 1);
    grid->addWidget(plotStyle_, gridRow, 2, 1, 3);
    ++gridRow;
    grid->addWidget(new QLabel(QStringLiteral("単位 ピクセル")), gridRow, 1);

    auto* modeBox = new QGroupBox(QStringLiteral("線の色"));
    auto* modeLayout = new QVBoxLayout(modeBox);
    colourRadio_ = new QRadioButton(QStringLiteral("カラー"));
    monochromeRadio_ = new QRadioButton(QStringLiteral("白黒"));
    modeLayout->addWidget(colourRadio_);
    modeLayout->addWidget(monochromeRadio_);
    connect(monochromeRadio_, &QRadioButton::toggled, this, &LineTypesDialog::ModeChosen);

    auto* presetBox = new QGroupBox(QStringLiteral("標準の設定"));
    auto* presetLayout = new QVBoxLayout(presetBox);
    const std::pair<QString, rave::LineTypePreset> presets[] = {
        {QStringLiteral("カラー 標準"), rave::LineTypePreset::kColourStandard},
        {QStringLiteral("白黒"), rave::LineTypePreset::kMonochrome},
        {QStringLiteral("カラー 細密"), rave::LineTypePreset::kColourFine},
    };
    for (const auto& [text, preset] : presets) {
        auto* button = new QPushButton(text);
        button->setAccessibleName(QStringLiteral("標準の設定 ") + text);
        const rave::LineTypePreset chosen = preset;
        connect(button, &QPushButton::clicked, this, [this, chosen] { ApplyPreset(chosen); });
        presetLayout->addWidget(button);
    }

    auto* side = new QVBoxLayout;
    side->addWidget(modeBox);
    side->addWidget(presetBox);
    side->addStretch();
    auto* body = new QHBoxLayout;
    body->addLayout(grid);
    body->addSpacing(12);
    body->addLayout(side);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("キャンセル"));
    connect(buttons, &QDialogButtonBox::accepted, this, &LineTypesDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &LineTypesDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(body);
    layout->addWidget(buttons);
    ShowModel();
}

void LineTypesDialog::ShowModel() {
    for (const auto& [settingsLine, edit] : fields_) {
        edit->setText(FromCp932(model_.Field(settingsLine)));
    }
    const long style = rave::ParseInteger(model_.Field(rave::sysline::kPlotLineStyle));
    plotStyle_->setCurrentIndex(style >= 0 && style <= 2 ? static_cast<int>(style) : 0);
    const QSignalBlocker blocker(monochromeRadio_);
    (model_.monochrome ? monochromeRadio_ : colourRadio_)->setChecked(true);
    UpdateEnabled();
}

bool LineTypesDialog::ReadIntoModel() {
    for (const auto& [settingsLine, edit] : fields_) {
        const auto text = ToCp932(edit->text(), edit->accessibleName(), frame_.Messages());
        if (!text) {
            edit->setFocus();
            return false;
        }
        model_.Field(settingsLine) = *text;
    }
    model_.Field(rave::sysline::kPlotLineStyle) = std::to_string(plotStyle_->currentIndex());
    model_.monochrome = monochromeRadio_->isChecked();
    return true;
}

void LineTypesDialog::UpdateEnabled() {
    for (const auto& [settingsLine, edit] : fields_) {
        edit->setEnabled(model_.IsEnabled(settingsLine));
    }
    for (const auto& [settingsLine, button] : colourButtons_) {
        button->setEnabled(model_.IsEnabled(settingsLine));
    }
}

void LineTypesDialog::ModeChosen(bool monochrome) {
    // What was typed so far stays; the model then applies the rules of the mode.
    ReadIntoModel();
    model_.ChooseMonochrome(monochrome);
    ShowModel();
}

void LineTypesDialog::ApplyPreset(rave::LineTypePreset preset) {
    model_.ApplyPreset(preset);
    ShowModel();
}

void LineTypesDialog::ChooseColourFor(int settingsLine) {
    const QString current = fields_.at(settingsLine)->text();
    const long value = rave::ParseColorValue(current.toStdString());
    const std::optional<QColor> chosen =
        ChooseColour(FromColorRef(value), fields_.at(settingsLine)->accessibleName());
    if (!chosen) {
        return;
    }
    model_.SetColour(settingsLine, ToColorRef(*chosen));
    fields_.at(settingsLine)->setText(FromCp932(model_.Field(settingsLine)));
}

std::optional<QColor> LineTypesDialog::ChooseColour(const QColor& initial, const QString& title) {
    const QColor colour = QColorDialog::getColor(initial, this, title);
    if (!colour.isValid()) {
        return std::nullopt;
    }
    return colour;
}

void LineTypesDialog::accept() {
    if (!ReadIntoModel() || !model_.Validate(frame_.Messages())) {
        return;
    }
    rave::RavelogSettings edited = frame_.Files().settings;
    model_.WriteBack(edited);
    CommitSettings(frame_, edited);
    QDialog::accept();
}

}  // namespace ravelog::app
