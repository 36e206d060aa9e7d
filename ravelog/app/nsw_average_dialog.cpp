// The Nsw average and qa~ calculator dialog.
#include "ravelog/app/nsw_average_dialog.h"

#include <QButtonGroup>
#include <QDialogButtonBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTableWidget>
#include <QVBoxLayout>

#include "platform/codec.h"
#include "ravelog/app/main_frame.h"
#include "ravelog/conversion/self_sinking_panel.h"
#include "ravelog/report/cell_text.h"

namespace ravelog::app {

namespace {

// The footing depth (cp932) outlives the dialog while the program runs; it is not part of the file.
std::string& RememberedFootingDepth() {
    static std::string text;
    return text;
}

QLineEdit* ReadOnlyField(const QString& text, const QString& accessibleName, int width = 64) {
    auto* field = new QLineEdit(text);
    field->setReadOnly(true);
    field->setAccessibleName(accessibleName);
    field->setMaximumWidth(width);
    return field;
}

}  // namespace

NswAverageDialog::NswAverageDialog(SoundingDocument& document, const rave::RavelogSettings& settings,
                                   rave::MessageSink& messages, QWidget* parent)
    : QDialog(parent),
      document_(document),
      messages_(messages),
      calculator_(document, settings, [&settings](const SoundingDocument& d, int row, int kind) {
          return FormatCellText(d, settings, row, kind);
      }) {
    setWindowTitle(FromCp932(NswAverageCalculator::Title()));

    // Notices about the formula, in red over the panel.
    auto* notices = new QVBoxLayout;
    for (const std::string& notice : calculator_.Notices()) {
        auto* label = new QLabel(FromCp932(notice));
        label->setObjectName(QStringLiteral("notice"));
        label->setStyleSheet(QStringLiteral("color: #c00000"));
        notices->addWidget(label);
    }

    // The list of rows.
    list_ = new QTableWidget;
    list_->setObjectName(QStringLiteral("rows"));
    list_->setAccessibleName(QStringLiteral("測定データ"));
    list_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list_->setSelectionBehavior(QAbstractItemView::SelectRows);
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    list_->verticalHeader()->setDefaultSectionSize(list_->fontMetrics().height() + 4);
    FillList();
    connect(list_, &QTableWidget::cellClicked, this, [this](int row, int) { ClickRow(row); });
    connect(list_, &QTableWidget::cellActivated, this, [this](int row, int) { ClickRow(row); });

    // Range and results.
    start_ = new QLineEdit;
    start_->setObjectName(QStringLiteral("rangeStart"));
    end_ = new QLineEdit;
    end_->setObjectName(QStringLiteral("rangeEnd"));
    for (QLineEdit* field : {start_, end_}) {
        field->setMaximumWidth(72);
        field->installEventFilter(this);
    }
    auto* calculate = new QPushButton(QStringLiteral("計算"));
    calculate->setObjectName(QStringLiteral("calculate"));
    connect(calculate, &QPushButton::clicked, this, &NswAverageDialog::Calculate);
    average_ = ReadOnlyField({}, FromCp932(NswAverageCalculator::AverageLabel()), 96);
    average_->setObjectName(QStringLiteral("average"));
    qa_ = ReadOnlyField({}, FromCp932(NswAverageCalculator::QaLabel()), 96);
    qa_->setObjectName(QStringLiteral("qa"));
    count_ = ReadOnlyField({}, FromCp932(NswAverageCalculator::CountLabel()), 96);
    count_->setObjectName(QStringLiteral("count"));

    auto* range = new QGroupBox(QStringLiteral("平均する深さの範囲"));
    auto* rangeGrid = new QGridLayout(range);
    rangeGrid->addWidget(start_, 0, 0);
    rangeGrid->addWidget(BuddyLabel(FromCp932(NswAverageCalculator::RangeStartLabel()), start_), 0, 1);
    rangeGrid->addWidget(end_, 1, 0);
    rangeGrid->addWidget(BuddyLabel(FromCp932(NswAverageCalculator::RangeEndLabel()), end_), 1, 1);
    rangeGrid->addWidget(calculate, 2, 0, 1, 2);
    start_->setAccessibleName(QStringLiteral("平均の開始深さ m"));
    end_->setAccessibleName(QStringLiteral("平均の終了深さ m"));
    auto* results = new QGroupBox(QStringLiteral("計算結果"));
    auto* resultGrid = new QGridLayout(results);
    AddLabelledRow(resultGrid, 0, 0, FromCp932(NswAverageCalculator::AverageLabel()), average_);
    AddLabelledRow(resultGrid, 1, 0, FromCp932(NswAverageCalculator::QaLabel()), qa_);
    resultGrid->addWidget(new QLabel(QStringLiteral("kN/m²")), 1, 2);
    AddLabelledRow(resultGrid, 2, 0, FromCp932(NswAverageCalculator::CountLabel()), count_);

    auto* buttons = new QDialogButtonBox;
    QPushButton* ok = buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
    QPushButton* cancel = buttons->addButton(QStringLiteral("ｷｬﾝｾﾙ"), QDialogButtonBox::RejectRole);
    ok->setObjectName(QStringLiteral("ok"));
    cancel->setObjectName(QStringLiteral("cancel"));
    calculate->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &NswAverageDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &NswAverageDialog::reject);

    auto* side = new QVBoxLayout;
    side->addLayout(notices);
    side->addWidget(FormulaPanel());
    side->addWidget(range);
    side->addWidget(results);
    side->addWidget(SelfSinkingPanel());
    side->addStretch();
    auto* columns = new QHBoxLayout;
    columns->addWidget(list_, 1);
    columns->addLayout(side);
    auto* main = new QVBoxLayout(this);
    main->addLayout(columns);
    main->addWidget(buttons);

    setTabOrder(start_, end_);
    setTabOrder(end_, calculate);
    setTabOrder(calculate, list_);
    setTabOrder(list_, ok);
    setTabOrder(ok, cancel);
    start_->setFocus();
    // Until the check is used in this run, the footing depth of the settings is the starting point.
    footing_->setText(FromCp932(InitialFootingDepthText(RememberedFootingDepth(), settings)));
    if (!footing_->text().isEmpty()) {
        JudgeSelfSinking();
    }
}

QWidget* NswAverageDialog::SelfSinkingPanel() {
    auto* panel = new QGroupBox(QStringLiteral("自沈層の判定（告示第1113号 第2第三号）"));
    auto* grid = new QGridLayout(panel);
    footing_ = new QLineEdit;
    footing_->setObjectName(QStringLiteral("footingDepth"));
    footing_->setMaximumWidth(72);
    auto* judge = new QPushButton(QStringLiteral("判定"));
    judge->setObjectName(QStringLiteral("judge"));
    judge->setAutoDefault(false);
    connect(judge, &QPushButton::clicked, this, &NswAverageDialog::JudgeSelfSinking);
    connect(footing_, &QLineEdit::returnPressed, this, &NswAverageDialog::JudgeSelfSinking);
    grid->addWidget(BuddyLabel(QStringLiteral("基礎底部の深さ GL- (m)"), footing_), 0, 0);
    grid->addWidget(footing_, 0, 1);
    grid->addWidget(judge, 0, 2);
    judgement_ = new QLabel;
    judgement_->setObjectName(QStringLiteral("judgement"));
    judgement_->setWordWrap(true);
    judgement_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    grid->addWidget(judgement_, 1, 0, 1, 3);
    return panel;
}

void NswAverageDialog::JudgeSelfSinking() {
    std::optional<std::string> text = ToCp932(footing_->text(), QStringLiteral("基礎底部の深さ"), messages_);
    if (!text) {
        return;
    }
    const std::optional<SelfSinkingVerdict> verdict = ravelog::JudgeSelfSinking(document_, *text, messages_);
    if (!verdict) {
        footing_->setFocus();
        footing_->selectAll();
        return;
    }
    RememberedFootingDepth() = *text;
    QStringList lines;
    for (const std::string& line : verdict->lines) {
        lines << FromCp932(line);
    }
    judgement_->setText(lines.join(QLatin1Char('\n')));
    if (TakesProposedRange(start_->text().toStdString(), end_->text().toStdString())) {
        start_->setText(FromCp932(verdict->proposedFrom));
        end_->setText(FromCp932(verdict->proposedTo));
    }
}

void ForgetFootingDepth() {
    RememberedFootingDepth().clear();
}

QWidget* NswAverageDialog::FormulaPanel() {
    auto* panel = new QGroupBox(FromCp932(NswAverageCalculator::PanelTitle()));
    auto* grid = new QGridLayout(panel);
    auto* formula = new QRadioButton(QStringLiteral("qa = a + b･Wsw   +d･Ｎsw "));
    auto* proportional = new QRadioButton(QStringLiteral("qa = b･Ｎ "));
    auto* kinds = new QButtonGroup(panel);
    kinds->addButton(formula, 0);
    kinds->addButton(proportional, 1);
    kinds->button(calculator_.FormulaKind())->setChecked(true);
    formula->setEnabled(false);
    proportional->setEnabled(false);
    grid->addWidget(formula, 0, 0, 1, 5);
    const QString names[] = {QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c"),
                             QStringLiteral("d"), QStringLiteral("e")};
    for (int i = 0; i < 5; ++i) {
        grid->addWidget(new QLabel(names[i]), 1, i, Qt::AlignCenter);
        grid->addWidget(
            ReadOnlyField(FromCp932(calculator_.QaCoefficient(i)), QStringLiteral("qa %1").arg(names[i])), 2,
            i);
    }
    grid->addWidget(proportional, 3, 0, 1, 5);
    const QString bNames[] = {QStringLiteral("砂 Nsw=0"), QStringLiteral("砂 Nsw>0"),
                              QStringLiteral("粘 Nsw=0"), QStringLiteral("粘 Nsw>0")};
    for (int i = 0; i < 4; ++i) {
        grid->addWidget(new QLabel(bNames[i]), 4, i, Qt::AlignCenter);
        grid->addWidget(ReadOnlyField(FromCp932(calculator_.BFactor(i)),
                                      QStringLiteral("qa = b･N の b %1").arg(bNames[i])),
                        5, i);
    }
    const QString capLabel = FromCp932(NswAverageCalculator::NswCapLabel());
    QLineEdit* cap = ReadOnlyField(FromCp932(calculator_.NswCap()), capLabel);
    cap->setObjectName(QStringLiteral("nswCap"));
    grid->addWidget(BuddyLabel(capLabel, cap), 6, 0);
    grid->addWidget(cap, 6, 1);
    grid->addWidget(new QLabel(FromCp932(NswAverageCalculator::NswCapHint())), 6, 2, 1, 3);
    const QString wswLabel = QStringLiteral("Wsw=1の時のみ計算する");
    QLineEdit* mark = ReadOnlyField(FromCp932(calculator_.Wsw1OnlyMark()), wswLabel, 28);
    mark->setObjectName(QStringLiteral("wsw1Only"));
    grid->addWidget(mark, 7, 0);
    grid->addWidget(BuddyLabel(wswLabel, mark), 7, 1, 1, 4);
    grid->addWidget(new QLabel(FromCp932(NswAverageCalculator::EditHint())), 8, 0, 1, 5);
    return panel;
}

void NswAverageDialog::FillList() {
    const std::vector<NswAverageCalculator::Column>& columns = NswAverageCalculator::Columns();
    list_->setColumnCount(static_cast<int>(columns.size()));
    list_->setRowCount(calculator_.RowCount());
    QStringList headings;
    for (const NswAverageCalculator::Column& column : columns) {
        headings << FromCp932(column.heading);
    }
    list_->setHorizontalHeaderLabels(headings);
    // The widths are the dialog units of the list; a little wider so the figures fit the font.
    const double scale = list_->fontMetrics().averageCharWidth() / 4.0;
    for (int c = 0; c < static_cast<int>(columns.size()); ++c) {
        list_->setColumnWidth(c, static_cast<int>(columns[static_cast<std::size_t>(c)].width * scale) + 8);
        for (int r = 0; r < calculator_.RowCount(); ++r) {
            auto* item = new QTableWidgetItem(FromCp932(calculator_.CellText(r + 1, c)));
            item->setTextAlignment(c == 5 ? Qt::AlignLeft | Qt::AlignVCenter
                                          : Qt::AlignRight | Qt::AlignVCenter);
            list_->setItem(r, c, item);
        }
    }
    // Wide enough for every column beside the row numbers and the vertical scroll bar.
    int width = list_->verticalHeader()->sizeHint().width() + list_->verticalScrollBar()->sizeHint().width() +
                2 * list_->frameWidth() + 4;
    for (int c = 0; c < list_->columnCount(); ++c) {
        width += list_->columnWidth(c);
    }
    list_->setMinimumWidth(width);
}

bool NswAverageDialog::PullRange() {
    std::optional<std::string> start = ToCp932(start_->text(), QStringLiteral("m から"), messages_);
    if (!start) {
        start_->setFocus();
        return false;
    }
    std::optional<std::string> end = ToCp932(end_->text(), QStringLiteral("m まで"), messages_);
    if (!end) {
        end_->setFocus();
        return false;
    }
    calculator_.SetRangeStart(std::move(*start));
    calculator_.SetRangeEnd(std::move(*end));
    return true;
}

void NswAverageDialog::ClickRow(int listRow) {
    if (!PullRange()) {
        return;
    }
    calculator_.ClickRow(listRow + 1);
    start_->setText(FromCp932(calculator_.RangeStart()));
    end_->setText(FromCp932(calculator_.RangeEnd()));
}

void NswAverageDialog::Calculate() {
    if (!PullRange()) {
        return;
    }
    calculator_.Calculate(messages_);
    const NswAverageResult& result = calculator_.Result();
    average_->setText(FromCp932(result.average));
    qa_->setText(FromCp932(result.qa));
    count_->setText(FromCp932(result.count));
}

bool NswAverageDialog::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusIn) {
        if (watched == start_) {
            calculator_.FocusRangeStart();
        } else if (watched == end_) {
            calculator_.FocusRangeEnd();
        }
    }
    return QDialog::eventFilter(watched, event);
}

void ShowNswAverage(MainFrame& frame, const DialogRunner& run) {
    const SoundingDocument before = frame.Document();
    NswAverageDialog dialog(frame.Document(), frame.Files().settings, frame.Messages(), &frame);
    run(dialog);
    // Nothing is written but a missing Wsw = 1 option; the view is redrawn either way.
    frame.CommitDocumentEdit(QStringLiteral("Nsw- 長期qa"), before);
}

}  // namespace ravelog::app
