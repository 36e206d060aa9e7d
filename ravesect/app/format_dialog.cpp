// The format sheet.
#include "ravesect/app/format_dialog.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QVBoxLayout>
#include <cstdlib>

#include "common/format.h"
#include "platform/font_settings_dialog.h"
#include "ravesect/app/dialog_support.h"
#include "ravesect/settings/format_sheet.h"
#include "ravesect/settings/format_sheet_fields.h"

namespace ravesect::app {

namespace {

using namespace sysqline;

// Drop-downs whose line keeps the chosen text rather than its position.
bool StoresText(int line) {
    return line == kSwedishGridMaximum || line == kOverMaximumDisplay;
}

QString LabelOf(QWidget* field) {
    return field->accessibleName();
}

}  // namespace

FormatSheetDialog::FormatSheetDialog(const SysqSettings& sysq, rave::MessageSink& messages, QWidget* parent)
    : QDialog(parent), messages_(messages), values_(sysq), loop_(sysq) {
    setWindowTitle(QStringLiteral("様式"));
    pages_ = new QTabWidget(this);
    pages_->addTab(BuildScalePage(), QStringLiteral("目盛り 記号"));
    pages_->addTab(BuildLinePage(), QStringLiteral("線種 マージン 名称"));

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("キャンセル"));
    connect(buttons, &QDialogButtonBox::accepted, this, &FormatSheetDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(pages_);
    layout->addWidget(buttons);
    ShowValues();
}

QLineEdit* FormatSheetDialog::AddBox(int line, int width, int maxLength) {
    auto* box = new QLineEdit(this);
    box->setMaximumWidth(width);
    box->setMinimumWidth(width);
    if (maxLength > 0) {
        box->setMaxLength(maxLength);
    }
    if (FormatSheetRange(line)) {
        box->setAlignment(Qt::AlignRight);
    }
    boxes_[line] = box;
    return box;
}

QComboBox* FormatSheetDialog::AddChoice(int line, std::initializer_list<const char*> choices, bool editable) {
    auto* box = new QComboBox(this);
    for (const char* choice : choices) {
        box->addItem(QString::fromUtf8(choice));
    }
    box->setEditable(editable);
    choices_[line] = box;
    return box;
}

QCheckBox* FormatSheetDialog::AddCheck(int line, const QString& text) {
    auto* box = new QCheckBox(text, this);
    checks_[line] = box;
    return box;
}

QWidget* FormatSheetDialog::AddTwoWay(int line, const QString& first, const QString& second) {
    auto* holder = new QWidget(this);
    auto* layout = new QHBoxLayout(holder);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* a = new QRadioButton(first, holder);
    auto* b = new QRadioButton(second, holder);
    auto* group = new QButtonGroup(holder);
    group->addButton(a);
    group->addButton(b);
    layout->addWidget(a);
    layout->addWidget(b);
    layout->addStretch();
    firstChoices_[line] = a;
    secondChoices_[line] = b;
    return holder;
}

QWidget* FormatSheetDialog::AddColour(int line) {
    auto* holder = new QWidget(this);
    auto* layout = new QHBoxLayout(holder);
    layout->setContentsMargins(0, 0, 0, 0);
    QLineEdit* box = AddBox(line, 80, 8);
    box->setParent(holder);
    box->setAccessibleName(QStringLiteral("色"));
    auto* button = new QPushButton(QStringLiteral("色"), holder);
    button->setAutoDefault(false);
    button->setMaximumWidth(40);
    button->setAccessibleName(QStringLiteral("色を選ぶ"));
    connect(button, &QPushButton::clicked, this, [this, box] {
        // Colours are kept as "0x%06x" COLORREF texts.
        const long current = std::strtol(box->text().toStdString().c_str(), nullptr, 0);
        if (const auto chosen =
                ChooseColour(rave::platform::ColorFromColorref(current), QStringLiteral("色"))) {
            box->setText(FromCp932(rave::FormatText("0x%06x", rave::platform::ColorrefFromColor(*chosen))));
        }
    });
    layout->addWidget(box);
    layout->addWidget(button);
    colourButtons_[line] = holder;
    return holder;
}

QWidget* FormatSheetDialog::BuildScalePage() {
    auto* page = new QWidget(this);
    auto form = [](QGroupBox* group) {
        auto* layout = new QFormLayout(group);
        layout->setLabelAlignment(Qt::AlignRight);
        return layout;
    };
    auto add = [this](QFormLayout* layout, const QString& text, QWidget* field, const QString& unit = {}) {
        if (unit.isEmpty()) {
            layout->addRow(BuddyLabel(text, field, this), field);
            return;
        }
        auto* row = new QHBoxLayout;
        row->addWidget(field);
        row->addWidget(new QLabel(unit, this));
        row->addStretch();
        layout->addRow(BuddyLabel(text, field, this), row);
    };

    auto* flag = new QGroupBox(QStringLiteral("旗"), page);
    auto* flagForm = form(flag);
    add(flagForm, QStringLiteral("角度"), AddBox(kFlagAngle), QStringLiteral("度"));
    add(flagForm, QStringLiteral("高さ"), AddBox(kFlagHeight), QStringLiteral("㎜"));
    add(flagForm, QStringLiteral("長さ"), AddBox(kFlagLength), QStringLiteral("㎜"));
    add(flagForm, QStringLiteral("区切り文字"), AddBox(kSeparator, 50, 4));
    flagForm->addRow(AddCheck(kLabelPrefix, QStringLiteral("No.をつける")));

    auto* nGraph = new QGroupBox(QStringLiteral("Ｎ値グラフ"), page);
    auto* nForm = form(nGraph);
    add(nForm, QStringLiteral("最高打撃回数"), AddChoice(kMaxBlowCount, {"50", "60", "70"}));
    add(nForm, QStringLiteral("グリッド最大値"), AddChoice(kNGridMaximum, {"50", "60", "70"}));
    add(nForm, QStringLiteral("0回以下と最高打撃"), AddChoice(kOverRangeSymbol, {"○", "－,→", "－,→と○"}));
    add(nForm, QStringLiteral("値の表示印刷"),
        AddChoice(kValueFigures,
                  {"表示しない", "グラフ内 0側", "グラフ内 最大値側", "グラフ外 0側", "グラフ外 最大値側"}));
    add(nForm, QStringLiteral("幅"), AddBox(kNGraphWidth), QStringLiteral("㎜"));
    add(nForm, QStringLiteral("●半径㎜"), AddBox(kDotRadius));

    auto* swedish = new QGroupBox(QStringLiteral("スウェーデン グラフ"), page);
    auto* swedishForm = form(swedish);
    add(swedishForm, QStringLiteral("グリッド最大値"), AddChoice(kSwedishGridMaximum, {"200", "400", "800"}));
    add(swedishForm, QStringLiteral("最大値超過時の表示方法"),
        AddChoice(kOverMaximumDisplay, {"→ 矢印で表示", "最大値の位置に表示"}, true));
    add(swedishForm, QStringLiteral("Wsw・Naの無効な文字"),
        AddChoice(kInvalidCharacters, {"次の有効デ-タ使用", "スキップ"}));

    auto* samples = new QGroupBox(QStringLiteral("試料"), page);
    auto* sampleForm = form(samples);
    add(sampleForm, QStringLiteral("乱さない試料"),
        AddChoice(kUndisturbedSample, {"□ 白抜き", "■ 黒塗り", "模様なし"}));
    add(sampleForm, QStringLiteral("乱した試料"),
        AddChoice(kDisturbedSample, {"□ 白抜き", "■ 黒塗り", "模様なし"}));
    add(sampleForm, QStringLiteral("記号の表示位置"),
        AddChoice(kSamplePosition, {"表示しない", "柱状図の左", "柱状図の右", "Ｎ値の外"}));

    auto* inSitu = new QGroupBox(QStringLiteral("原位置試験"), page);
    auto* inSituForm = form(inSitu);
    add(inSituForm, QStringLiteral("表示位置"),
        AddChoice(kInSituPosition, {"表示しない", "柱状図の左", "柱状図の右", "Ｎ値の外"}));
    add(inSituForm, QStringLiteral("模様"), AddChoice(kInSituHatching, {"表示しない", "斜線表示"}));

    auto* left = new QVBoxLayout;
    left->addWidget(flag);
    left->addWidget(nGraph);
    left->addStretch();
    auto* right = new QVBoxLayout;
    right->addWidget(swedish);
    right->addWidget(samples);
    right->addWidget(inSitu);
    right->addStretch();
    auto* layout = new QHBoxLayout(page);
    layout->addLayout(left);
    layout->addLayout(right);
    return page;
}

void FormatSheetDialog::AddLineRow(QGridLayout* grid, int row, const QString& name, const QString& widthLabel,
                                   int widthLine, int solidLine, int blankLine, int colourLine) {
    grid->addWidget(new QLabel(name, this), row, 0);
    auto place = [&](int column, const QString& text, QWidget* field) {
        grid->addWidget(BuddyLabel(text, field, this), row, column, Qt::AlignRight);
        field->setAccessibleName(name + QLatin1Char(' ') + text);
        grid->addWidget(field, row, column + 1);
    };
    place(1, widthLabel, AddBox(widthLine, 40));
    if (solidLine > 0) {
        place(3, QStringLiteral("実線部"), AddBox(solidLine, 40));
        place(5, QStringLiteral("空白部"), AddBox(blankLine, 40));
    }
    if (colourLine > 0) {
        QWidget* colour = AddColour(colourLine);
        grid->addWidget(colour, row, 7);
        boxes_[colourLine]->setAccessibleName(name + QStringLiteral(" 色"));
    }
}

QWidget* FormatSheetDialog::BuildLinePage() {
    auto* page = new QWidget(this);
    auto* lines = new QGroupBox(QStringLiteral("線種 （単位 ピクセル）"), page);
    auto* grid = new QGridLayout(lines);
    grid->addWidget(AddTwoWay(kMonochrome, QStringLiteral("カラー"), QStringLiteral("白黒")), 0, 0, 1, 3);
    connect(secondChoices_[kMonochrome], &QRadioButton::toggled, this, &FormatSheetDialog::ColourModeChanged);
    QLineEdit* frame = AddBox(kFrameWidth, 40);
    QLineEdit* boundary = AddBox(kBoundaryWidth, 40);
    grid->addWidget(BuddyLabel(QStringLiteral("外枠太さ"), frame, this), 1, 0, Qt::AlignRight);
    grid->addWidget(frame, 1, 1);
    grid->addWidget(BuddyLabel(QStringLiteral("境界線太さ"), boundary, this), 1, 2, Qt::AlignRight);
    grid->addWidget(boundary, 1, 3);

    AddLineRow(grid, 2, QStringLiteral("標尺縦線"), QStringLiteral("太さ"), kRulerWidth, 0, 0, 0);
    grid->addWidget(AddTwoWay(kRulerDouble, QStringLiteral("単線"), QStringLiteral("2重線")), 2, 3, 1, 4);
    AddLineRow(grid, 3, QStringLiteral("標高横線"), QStringLiteral("太さ"), kElevationLineWidth,
               kElevationLineSolid, kElevationLineBlank, kElevationLineColour);
    grid->addWidget(AddCheck(kElevationLinesCrossGraphs, QStringLiteral("ｸﾞﾗﾌ内横断")), 4, 1, 1, 4);
    AddLineRow(grid, 5, QStringLiteral("水位▽記号"), QStringLiteral("太さ"), kWaterMarkWidth, 0, 0, 0);
    AddLineRow(grid, 6, QStringLiteral("Ｎ値 Nd値"), QStringLiteral("グラフ 太さ"), kNGraphLineWidth, 0, 0,
               0);
    AddLineRow(grid, 7, QStringLiteral("　グリッドたて線"), QStringLiteral("太さ"), kNGridWidth, kNGridSolid,
               kNGridBlank, kNGridColour);
    AddLineRow(grid, 8, QStringLiteral("スウェーデン"), QStringLiteral("グラフ 太さ"), kSwedishGraphWidth, 0,
               0, 0);
    AddLineRow(grid, 9, QStringLiteral("　グリッドたて線"), QStringLiteral("太さ"), kSwedishGridWidth,
               kSwedishGridSolid, kSwedishGridBlank, kSwedishGridColour);
    grid->setColumnStretch(8, 1);

    auto* margins = new QGroupBox(QStringLiteral("マージン （㎜）"), page);
    auto* marginLayout = new QHBoxLayout(margins);
    for (const auto& [line, text] : {std::pair{kTopMargin, QStringLiteral("トップ")},
                                     std::pair{kLeftMargin, QStringLiteral("レフト")}}) {
        QLineEdit* box = AddBox(line, 50);
        marginLayout->addWidget(BuddyLabel(text, box, this));
        marginLayout->addWidget(box);
    }
    marginLayout->addStretch();

    auto* names = new QGroupBox(QStringLiteral("名称"), page);
    auto* nameForm = new QFormLayout(names);
    QLineEdit* company = AddBox(kCompanyName, 260, 60);
    QLineEdit* telephone = AddBox(kTelephone, 260, 60);
    nameForm->addRow(BuddyLabel(QStringLiteral("調査業者名"), company, this), company);
    nameForm->addRow(BuddyLabel(QStringLiteral("ＴＥＬ"), telephone, this), telephone);

    auto* bottom = new QHBoxLayout;
    bottom->addWidget(margins);
    bottom->addWidget(names, 1);
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(lines);
    layout->addLayout(bottom);
    layout->addStretch();
    return page;
}

QLineEdit* FormatSheetDialog::Box(int line) const {
    const auto it = boxes_.find(line);
    return it == boxes_.end() ? nullptr : it->second;
}

QComboBox* FormatSheetDialog::Choice(int line) const {
    const auto it = choices_.find(line);
    return it == choices_.end() ? nullptr : it->second;
}

QCheckBox* FormatSheetDialog::Check(int line) const {
    const auto it = checks_.find(line);
    return it == checks_.end() ? nullptr : it->second;
}

QRadioButton* FormatSheetDialog::SecondChoice(int line) const {
    const auto it = secondChoices_.find(line);
    return it == secondChoices_.end() ? nullptr : it->second;
}

void FormatSheetDialog::ShowValues() {
    for (const auto& [line, box] : boxes_) {
        box->setText(FromCp932(values_.Line(line)));
    }
    for (const auto& [line, box] : choices_) {
        if (StoresText(line)) {
            const QString text = FromCp932(values_.Line(line));
            const int index = box->findText(text);
            if (index >= 0) {
                box->setCurrentIndex(index);
            } else if (box->isEditable()) {
                box->setEditText(text);
            }
        } else {
            const long value = values_.Int(line);
            box->setCurrentIndex(value >= 0 && value < box->count() ? static_cast<int>(value) : 0);
        }
    }
    for (const auto& [line, box] : checks_) {
        box->setChecked(values_.Int(line) == 1);
    }
    for (const auto& [line, second] : secondChoices_) {
        (values_.Int(line) == 1 ? second : firstChoices_[line])->setChecked(true);
    }
    ColourModeChanged();
}

bool FormatSheetDialog::CollectValues() {
    SysqSettings values = values_;
    for (const auto& [line, box] : boxes_) {
        const auto text = ToCp932(box->text().trimmed(), LabelOf(box), messages_);
        if (!text) {
            pages_->setCurrentWidget(box->parentWidget());
            box->setFocus();
            return false;
        }
        values.Line(line) = *text;
    }
    for (const auto& [line, box] : choices_) {
        if (StoresText(line)) {
            const auto text = ToCp932(box->currentText(), LabelOf(box), messages_);
            if (!text) {
                box->setFocus();
                return false;
            }
            values.Line(line) = *text;
        } else {
            values.SetInt(line, box->currentIndex());
        }
    }
    for (const auto& [line, box] : checks_) {
        values.SetInt(line, box->isChecked() ? 1 : 0);
    }
    for (const auto& [line, second] : secondChoices_) {
        values.SetInt(line, second->isChecked() ? 1 : 0);
    }
    values_ = values;
    return true;
}

void FormatSheetDialog::ColourModeChanged() {
    const bool colour = !secondChoices_[kMonochrome]->isChecked();
    for (const auto& [line, holder] : colourButtons_) {
        holder->setEnabled(colour);
    }
}

void FormatSheetDialog::accept() {
    if (!CollectValues()) {
        return;
    }
    if (const auto fault = FirstFormatSheetFault(values_, messages_)) {
        if (QLineEdit* box = Box(*fault)) {
            for (int page = 0; page < pages_->count(); ++page) {
                if (pages_->widget(page)->isAncestorOf(box)) {
                    pages_->setCurrentIndex(page);
                }
            }
            box->setFocus();
            box->selectAll();
        }
        return;
    }
    // A frame below the blow count is raised to it and the sheet stays open, at most 5 times.
    const bool closes = loop_.Ok(values_, messages_);
    values_ = loop_.Values();
    if (!closes) {
        ShowValues();
        return;
    }
    QDialog::accept();
}

std::optional<QColor> FormatSheetDialog::ChooseColour(const QColor& current, const QString& title) {
    const QColor chosen = QColorDialog::getColor(current, this, title);
    if (!chosen.isValid()) {
        return std::nullopt;
    }
    return chosen;
}

}  // namespace ravesect::app
