// The page-footer dialog: three format rows with samples, the two position modes and their
// distances, the paper limits, "←" and "標準の設定", bound to PageFooterEditor.
#include "ravelog/app/page_footer_dialog.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "platform/codec.h"
#include "ravelog/app/main_frame.h"

namespace ravelog::app {

namespace {

// What the prefix and suffix lists offer; "<無し>" clears the prefix when it loses the focus.
const QStringList kPrefixes = {QStringLiteral("<無し>"), QStringLiteral("("), QStringLiteral("-"),
                               QStringLiteral("No."), QStringLiteral("P.")};
const QStringList kSuffixes = {QString(), QStringLiteral(")"), QStringLiteral("-"), QStringLiteral("頁")};

QLineEdit* DistanceField(const QString& name, const QString& accessibleName) {
    auto* field = new QLineEdit;
    field->setObjectName(name);
    field->setAccessibleName(accessibleName);
    field->setMaximumWidth(72);
    // Far longer than any distance, short enough that the file's line keeps it whole.
    field->setMaxLength(64);
    return field;
}

QComboBox* TextList(const QStringList& entries, const QString& name) {
    auto* combo = new QComboBox;
    combo->setEditable(true);
    combo->setInsertPolicy(QComboBox::NoInsert);
    combo->addItems(entries);
    combo->setObjectName(name);
    combo->setMinimumWidth(96);
    return combo;
}

}  // namespace

PageFooterDialog::PageFooterDialog(SoundingDocument& document, PaperSize paper, rave::MessageSink& messages,
                                   QWidget* parent)
    : QDialog(parent), document_(document), messages_(messages), model_(document, paper) {
    setWindowTitle(QStringLiteral("ページ フッタ"));
    std::vector<QWidget*> order;

    auto* numbers = new QGroupBox(QStringLiteral("ページ番号"));
    auto* numberGrid = new QGridLayout(numbers);
    const QString headings[] = {QStringLiteral("前文字"), QStringLiteral("頁(開始頁)"),
                                QStringLiteral("後文字"), QStringLiteral("見本")};
    for (int c = 0; c < 4; ++c) {
        numberGrid->addWidget(new QLabel(headings[c]), 0, c + 1);
    }
    for (int k = 0; k < 3; ++k) {
        const QString format = QStringLiteral("様式%1").arg(k + 1);
        FormatRowWidgets& row = rows_[static_cast<std::size_t>(k)];
        row.prefix = TextList(kPrefixes, QStringLiteral("prefix%1").arg(k + 1));
        row.startPage =
            DistanceField(QStringLiteral("startPage%1").arg(k + 1), format + QStringLiteral(" 頁(開始頁)"));
        row.suffix = TextList(kSuffixes, QStringLiteral("suffix%1").arg(k + 1));
        row.sample = new QLabel;
        row.sample->setObjectName(QStringLiteral("sample%1").arg(k + 1));
        row.sample->setMinimumWidth(120);
        row.sample->setFrameShape(QFrame::StyledPanel);
        row.prefix->setAccessibleName(format + QStringLiteral(" 前文字"));
        row.suffix->setAccessibleName(format + QStringLiteral(" 後文字"));
        numberGrid->addWidget(BuddyLabel(format, row.prefix), k + 1, 0);
        row.prefix->setAccessibleName(format + QStringLiteral(" 前文字"));
        numberGrid->addWidget(row.prefix, k + 1, 1);
        numberGrid->addWidget(row.startPage, k + 1, 2);
        numberGrid->addWidget(row.suffix, k + 1, 3);
        numberGrid->addWidget(row.sample, k + 1, 4);
        for (QWidget* w : {static_cast<QWidget*>(row.prefix), static_cast<QWidget*>(row.startPage),
                           static_cast<QWidget*>(row.suffix)}) {
            w->installEventFilter(this);
            order.push_back(w);
        }
    }

    // Vertical position.
    auto* verticalBox = new QGroupBox(QStringLiteral("縦の位置"));
    auto* verticalGrid = new QGridLayout(verticalBox);
    vertical_ = new QButtonGroup(this);
    auto* fromTop = new QRadioButton(QStringLiteral("用紙上端から"));
    auto* belowLine = new QRadioButton(QStringLiteral("下線から"));
    fromTop->setObjectName(QStringLiteral("fromTop"));
    belowLine->setObjectName(QStringLiteral("belowLine"));
    vertical_->addButton(fromTop, 0);
    vertical_->addButton(belowLine, 1);
    yFromTop_ = DistanceField(QStringLiteral("yFromTop"), QStringLiteral("用紙上端から mm"));
    yBelowLine_ = DistanceField(QStringLiteral("yBelowLine"), QStringLiteral("下線から mm"));
    auto* topLimit = DistanceField(QStringLiteral("topLimit"), QStringLiteral("用紙上端からの上限 mm"));
    topLimit->setText(QString::number(model_.PaperTopLimitMm()));
    topLimit->setReadOnly(true);
    auto* likeCompany = new QPushButton(QStringLiteral("←"));
    likeCompany->setObjectName(QStringLiteral("likeCompany"));
    likeCompany->setAccessibleName(QStringLiteral("社名と同じ位置"));
    likeCompany->setMaximumWidth(40);
    likeCompany->setAutoDefault(false);
    verticalGrid->addWidget(fromTop, 0, 0);
    verticalGrid->addWidget(yFromTop_, 0, 1);
    verticalGrid->addWidget(new QLabel(QStringLiteral("mm")), 0, 2);
    verticalGrid->addWidget(BuddyLabel(QStringLiteral("上端からの上限"), topLimit), 0, 3, Qt::AlignRight);
    verticalGrid->addWidget(topLimit, 0, 4);
    verticalGrid->addWidget(new QLabel(QStringLiteral("mm")), 0, 5);
    verticalGrid->addWidget(belowLine, 1, 0);
    verticalGrid->addWidget(yBelowLine_, 1, 1);
    verticalGrid->addWidget(new QLabel(QStringLiteral("mm")), 1, 2);
    verticalGrid->addWidget(likeCompany, 1, 3, Qt::AlignRight);
    verticalGrid->addWidget(new QLabel(QStringLiteral("社名と同じ位置")), 1, 4, 1, 2);
    order.insert(order.end(), {fromTop, yFromTop_, topLimit, belowLine, yBelowLine_, likeCompany});

    // Horizontal position.
    auto* horizontalBox = new QGroupBox(QStringLiteral("横の位置"));
    auto* horizontalGrid = new QGridLayout(horizontalBox);
    horizontal_ = new QButtonGroup(this);
    auto* fromLeft = new QRadioButton(QStringLiteral("用紙左端から"));
    auto* centred = new QRadioButton(QStringLiteral("用紙左右中央"));
    fromLeft->setObjectName(QStringLiteral("fromLeft"));
    centred->setObjectName(QStringLiteral("centred"));
    horizontal_->addButton(fromLeft, 0);
    horizontal_->addButton(centred, 1);
    xFromLeft_ = DistanceField(QStringLiteral("xFromLeft"), QStringLiteral("用紙左端から mm"));
    xCentre_ = DistanceField(QStringLiteral("xCentre"), QStringLiteral("用紙左右中央 mm"));
    auto* width = DistanceField(QStringLiteral("paperWidth"), QStringLiteral("用紙幅 mm"));
    width->setText(QString::number(model_.PaperWidthMm()));
    width->setReadOnly(true);
    horizontalGrid->addWidget(fromLeft, 0, 0);
    horizontalGrid->addWidget(xFromLeft_, 0, 1);
    horizontalGrid->addWidget(new QLabel(QStringLiteral("mm")), 0, 2);
    horizontalGrid->addWidget(BuddyLabel(QStringLiteral("用紙幅"), width), 0, 3, Qt::AlignRight);
    horizontalGrid->addWidget(width, 0, 4);
    horizontalGrid->addWidget(new QLabel(QStringLiteral("mm")), 0, 5);
    horizontalGrid->addWidget(centred, 1, 0);
    horizontalGrid->addWidget(xCentre_, 1, 1);
    horizontalGrid->addWidget(new QLabel(QStringLiteral("mm")), 1, 2);
    order.insert(order.end(), {fromLeft, xFromLeft_, width, centred, xCentre_});

    connect(vertical_, &QButtonGroup::idClicked, this, [this](int id) {
        model_.verticalMode = id;
        UpdateEnabled();
    });
    connect(horizontal_, &QButtonGroup::idClicked, this, [this](int id) {
        model_.horizontalMode = id;
        UpdateEnabled();
    });
    connect(likeCompany, &QPushButton::clicked, this, [this] {
        model_.PlaceLikeCompanyName();
        yBelowLine_->setText(FromCp932(model_.yBelowBottomLine));
    });

    auto* buttons = new QDialogButtonBox;
    QPushButton* standard = buttons->addButton(QStringLiteral("標準の設定"), QDialogButtonBox::ResetRole);
    QPushButton* ok = buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
    QPushButton* cancel = buttons->addButton(QStringLiteral("ｷｬﾝｾﾙ"), QDialogButtonBox::RejectRole);
    standard->setObjectName(QStringLiteral("standard"));
    standard->setAutoDefault(false);
    ok->setObjectName(QStringLiteral("ok"));
    ok->setDefault(true);
    cancel->setObjectName(QStringLiteral("cancel"));
    connect(standard, &QPushButton::clicked, this, [this] {
        if (Pull(false)) {
            model_.ApplyStandard();
            Push();
        }
    });
    connect(buttons, &QDialogButtonBox::accepted, this, &PageFooterDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &PageFooterDialog::reject);
    order.insert(order.end(), {standard, ok, cancel});

    auto* main = new QVBoxLayout(this);
    main->addWidget(numbers);
    main->addWidget(verticalBox);
    main->addWidget(horizontalBox);
    main->addWidget(buttons);
    for (std::size_t i = 1; i < order.size(); ++i) {
        setTabOrder(order[i - 1], order[i]);
    }
    Push();
    rows_[0].prefix->setFocus();
}

void PageFooterDialog::Push() {
    for (int k = 0; k < 3; ++k) {
        const PageFooterEditor::FormatRow& text = model_.rows[static_cast<std::size_t>(k)];
        FormatRowWidgets& row = rows_[static_cast<std::size_t>(k)];
        row.prefix->setCurrentText(FromCp932(text.prefix));
        row.startPage->setText(FromCp932(text.startPage));
        row.suffix->setCurrentText(FromCp932(text.suffix));
        row.sample->setText(FromCp932(model_.SampleLine(k + 1)));
    }
    vertical_->button(model_.verticalMode)->setChecked(true);
    horizontal_->button(model_.horizontalMode)->setChecked(true);
    yFromTop_->setText(FromCp932(model_.yFromPaperTop));
    yBelowLine_->setText(FromCp932(model_.yBelowBottomLine));
    xFromLeft_->setText(FromCp932(model_.xFromLeftEdge));
    xCentre_->setText(FromCp932(model_.xCentre));
    UpdateEnabled();
}

bool PageFooterDialog::Pull(bool quiet) {
    auto take = [this, quiet](const QString& text, const QString& label, QWidget* widget,
                              std::string& target) {
        std::optional<std::string> cp932 =
            quiet ? rave::platform::Utf8ToCp932(text.toStdString()) : ToCp932(text, label, messages_);
        if (cp932) {
            target = std::move(*cp932);
            return true;
        }
        if (!quiet) {
            widget->setFocus();
        }
        return quiet;
    };
    for (int k = 0; k < 3; ++k) {
        PageFooterEditor::FormatRow& text = model_.rows[static_cast<std::size_t>(k)];
        FormatRowWidgets& row = rows_[static_cast<std::size_t>(k)];
        if (!take(row.prefix->currentText(), row.prefix->accessibleName(), row.prefix, text.prefix) ||
            !take(row.startPage->text(), row.startPage->accessibleName(), row.startPage, text.startPage) ||
            !take(row.suffix->currentText(), row.suffix->accessibleName(), row.suffix, text.suffix)) {
            return false;
        }
    }
    for (auto [field, target] :
         {std::pair{yFromTop_, &model_.yFromPaperTop}, std::pair{yBelowLine_, &model_.yBelowBottomLine},
          std::pair{xFromLeft_, &model_.xFromLeftEdge}, std::pair{xCentre_, &model_.xCentre}}) {
        if (!take(field->text(), field->accessibleName(), field, *target)) {
            return false;
        }
    }
    model_.verticalMode = vertical_->checkedId() == 1 ? 1 : 0;
    model_.horizontalMode = horizontal_->checkedId() == 1 ? 1 : 0;
    return true;
}

void PageFooterDialog::UpdateEnabled() {
    yFromTop_->setEnabled(model_.YFromPaperTopEnabled());
    yBelowLine_->setEnabled(model_.YBelowBottomLineEnabled());
    xFromLeft_->setEnabled(model_.XFromLeftEdgeEnabled());
}

int PageFooterDialog::FormatOf(QObject* watched) const {
    for (int k = 0; k < 3; ++k) {
        const FormatRowWidgets& row = rows_[static_cast<std::size_t>(k)];
        if (watched == row.prefix || watched == row.startPage || watched == row.suffix) {
            return k + 1;
        }
    }
    return 0;
}

bool PageFooterDialog::eventFilter(QObject* watched, QEvent* event) {
    const int format = event->type() == QEvent::FocusOut ? FormatOf(watched) : 0;
    if (format != 0) {
        FormatRowWidgets& row = rows_[static_cast<std::size_t>(format - 1)];
        Pull(true);
        if (watched == row.prefix) {
            model_.PrefixLeftFocus(format);
            const PageFooterEditor::FormatRow& text = model_.rows[static_cast<std::size_t>(format - 1)];
            row.prefix->setCurrentText(FromCp932(text.prefix));
            row.suffix->setCurrentText(FromCp932(text.suffix));
        }
        row.sample->setText(FromCp932(model_.SampleLine(format)));
    }
    return QDialog::eventFilter(watched, event);
}

void PageFooterDialog::accept() {
    if (!Pull(false) || !model_.Validate(messages_)) {
        return;
    }
    model_.WarnIfOffPaper(messages_);
    model_.WriteBack(document_);
    QDialog::accept();
}

void EditPageFooter(MainFrame& frame, const DialogRunner& run) {
    frame.ReadPrinterPaperSize();
    const SoundingDocument before = frame.Document();
    PageFooterDialog dialog(frame.Document(), frame.Paper(), frame.Messages(), &frame);
    run(dialog);
    // A cancelled dialog wrote nothing, so this only redraws.
    frame.CommitDocumentEdit(QStringLiteral("ページ フッタ"), before);
}

}  // namespace ravelog::app
