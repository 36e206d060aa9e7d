// The layer proposal dialog's widgets, their binding to the review model, the preview in the
// section view and the one undo step of 採用 and 置き換え.
#include "ravesect/app/layer_proposal_dialog.h"

#include <QColorDialog>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "common/drawing/drawing_surface.h"
#include "common/installed_soil_tables.h"
#include "common/soil_table_editor.h"
#include "ravesect/app/dialog_placement.h"
#include "ravesect/app/dialog_support.h"
#include "ravesect/app/section_edit_commands.h"
#include "ravesect/app/section_frame.h"
#include "ravesect/app/section_view.h"
#include "ravesect/document/working_files.h"
#include "ravesect/editing/layer_proposal_io.h"

namespace ravesect::app {

namespace {

// The hatch numbers of a layer as the drawing knows them; 6 and above fill solid.
const char* const kHatchNames[] = {"横線", "縦線",     "右下がり斜線", "右上がり斜線",
                                   "十字", "斜め十字", "塗りつぶし"};
constexpr int kHatchCount = 7;

QColor ToQColor(long colorRef) {
    return QColor(rave::RedOf(colorRef), rave::GreenOf(colorRef), rave::BlueOf(colorRef));
}

QString HatchName(int hatch) {
    return QString::fromUtf8(kHatchNames[std::clamp(hatch, 0, kHatchCount - 1)]);
}

QString KindName(LinkKind kind) {
    switch (kind) {
        case LinkKind::kMatch:
            return QStringLiteral("一致");
        case LinkKind::kPinch:
            return QStringLiteral("尖滅");
        case LinkKind::kLens:
            return QStringLiteral("レンズ");
    }
    return {};
}

QString ColumnName(const ProposalColumn& column) {
    return column.label.empty() ? QString::number(column.slot) : FromCp932(column.label);
}

QIcon Swatch(long colorRef) {
    QPixmap pixmap(16, 16);
    pixmap.fill(ToQColor(colorRef));
    return QIcon(pixmap);
}

QTableWidget* MakeTable(QWidget* parent, const QStringList& headers, const QString& name,
                        const QString& accessibleName) {
    auto* table = new QTableWidget(0, static_cast<int>(headers.size()), parent);
    table->setObjectName(name);
    table->setAccessibleName(accessibleName);
    table->setHorizontalHeaderLabels(headers);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->setSelectionMode(QAbstractItemView::SingleSelection);
    table->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                           QAbstractItemView::SelectedClicked);
    table->setTabKeyNavigation(false);  // Tab leaves the table; the arrows move inside it
    table->verticalHeader()->setVisible(false);
    table->verticalHeader()->setDefaultSectionSize(table->fontMetrics().height() + 6);
    table->horizontalHeader()->setStretchLastSection(true);
    return table;
}

QTableWidgetItem* Cell(const QString& text) {
    auto* item = new QTableWidgetItem(text);
    item->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
    return item;
}

QTableWidgetItem* CheckCell(const QString& text, bool checked, bool editable) {
    auto* item = Cell(text);
    item->setFlags(item->flags() | Qt::ItemIsUserCheckable |
                   (editable ? Qt::ItemIsEditable : Qt::NoItemFlags));
    item->setCheckState(checked ? Qt::Checked : Qt::Unchecked);
    return item;
}

}  // namespace

LayerProposalDialog* LayerProposalDialog::OpenOver(SectionFrame& frame) {
    // The proposal goes onto the section as last committed, not onto what an open editing
    // dialog holds pending.
    SectionDocument base = frame.Document();
    ReadPointsLayersFile(frame.Files(), base);
    ReadTitlesFile(frame.Files(), base);
    const std::vector<ProposalColumn> columns = ProposalColumnsOf(base);
    if (columns.size() < 2) {
        frame.Messages().Show(Cp932Message(
            0, QStringLiteral("地層を推定するには、土質のある柱状図を2本以上配置してください（%1 本）。")
                   .arg(columns.size())));
        return nullptr;
    }
    if (const std::string problem = ProposalColumnsProblem(columns); !problem.empty()) {
        frame.Messages().Show(rave::Message{0, problem, {}});  // cp932 already
        return nullptr;
    }
    rave::SoilNameTable jacic;
    rave::SoilNameTable simple;
    rave::LoadBothSoilNameKinds(jacic, frame.InstallFolder() / rave::SoilTableEditor::kJacicMasterFile,
                                frame.Messages());
    rave::LoadBothSoilNameKinds(simple, frame.InstallFolder() / rave::SoilTableEditor::kSimpleMasterFile,
                                frame.Messages());
    auto* dialog = new LayerProposalDialog(
        frame, std::make_unique<LayerProposalReview>(std::move(base), std::move(jacic), std::move(simple)),
        &frame);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    PlaceEditingDialog(*dialog, frame, *frame.centralWidget());
    dialog->open();
    return dialog;
}

LayerProposalDialog::LayerProposalDialog(SectionFrame& frame, std::unique_ptr<LayerProposalReview> review,
                                         QWidget* parent)
    : QDialog(parent), frame_(frame), review_(std::move(review)), view_(frame.View()) {
    setObjectName(QStringLiteral("layerProposalDialog"));
    setWindowTitle(QStringLiteral("地層の推定"));
    setWindowModality(Qt::WindowModal);
    chooseColour = [this](const QColor& initial) -> std::optional<QColor> {
        const QColor colour = QColorDialog::getColor(initial, this, QStringLiteral("色"));
        return colour.isValid() ? std::optional<QColor>(colour) : std::nullopt;
    };

    thicknessBox = new QDoubleSpinBox(this);
    thicknessBox->setObjectName(QStringLiteral("thicknessBox"));
    thicknessBox->setRange(0.0, 10.0);
    thicknessBox->setDecimals(2);
    thicknessBox->setSingleStep(0.1);
    thicknessBox->setKeyboardTracking(false);  // proposes again on Enter, the arrows or leaving it
    thicknessBox->setValue(review_->MinThickness());
    thicknessBox->setToolTip(QStringLiteral("これより薄い層は隣の層にまとめます"));
    bandBox = new QDoubleSpinBox(this);
    bandBox->setObjectName(QStringLiteral("bandBox"));
    bandBox->setRange(0.0, 10.0);
    bandBox->setDecimals(2);
    bandBox->setSingleStep(0.1);
    bandBox->setKeyboardTracking(false);
    bandBox->setValue(review_->Band());
    bandBox->setToolTip(
        QStringLiteral("1本の柱状図にだけあり、これより薄い別の土質の層は周りの地層に含めます"));
    auto* top = new QHBoxLayout;
    top->addWidget(BuddyLabel(QStringLiteral("最小層厚(m)(&T)"), thicknessBox, this));
    top->addWidget(thicknessBox);
    top->addWidget(BuddyLabel(QStringLiteral("挟み層の厚さ(m)(&B)"), bandBox, this));
    top->addWidget(bandBox);
    top->addStretch();

    unitTable = MakeTable(this,
                          {QStringLiteral("記号"), QStringLiteral("土質"), QStringLiteral("色"),
                           QStringLiteral("ハッチ"), QStringLiteral("柱状図")},
                          QStringLiteral("unitTable"), QStringLiteral("地層"));
    unitTable->setColumnWidth(0, 76);
    unitTable->setColumnWidth(1, 84);
    unitTable->setColumnWidth(2, 40);
    unitTable->setColumnWidth(3, 96);
    unitTable->setMinimumSize(460, 230);  // the placement sizes the dialog to its contents
    unitTable->setToolTip(QStringLiteral("チェックした地層を書き込みます。記号はダブルクリックか F2 で変更"));
    linkTable = MakeTable(
        this,
        {QStringLiteral("区間"), QStringLiteral("地層"), QStringLiteral("種類"), QStringLiteral("理由")},
        QStringLiteral("linkTable"), QStringLiteral("つながり"));
    linkTable->setColumnWidth(0, 110);
    linkTable->setColumnWidth(1, 70);
    linkTable->setColumnWidth(2, 60);
    linkTable->setMinimumSize(640, 170);
    linkTable->setToolTip(QStringLiteral("チェックを外したつながりの地層は書き込みません"));

    groupBox_ = new QWidget(this);
    groupGrid_ = new QGridLayout(groupBox_);
    groupGrid_->setContentsMargins(0, 0, 0, 0);
    auto* groupColumn = new QVBoxLayout;
    groupColumn->addWidget(new QLabel(QStringLiteral("土質"), this));
    groupColumn->addWidget(groupBox_);
    groupColumn->addStretch();
    auto* middle = new QHBoxLayout;
    auto* unitColumn = new QVBoxLayout;
    unitColumn->addWidget(BuddyLabel(QStringLiteral("地層(&U)"), unitTable, this));
    unitColumn->addWidget(unitTable);
    middle->addLayout(unitColumn, 1);
    middle->addLayout(groupColumn);

    noteLabel = new QLabel(this);
    noteLabel->setObjectName(QStringLiteral("noteLabel"));
    noteLabel->setWordWrap(true);
    adoptButton = new QPushButton(QStringLiteral("採用"), this);
    replaceButton = new QPushButton(QStringLiteral("置き換え"), this);
    cancelButton = new QPushButton(QStringLiteral("キャンセル"), this);
    adoptButton->setToolTip(QStringLiteral("既存の点と層の後に追加します"));
    replaceButton->setToolTip(QStringLiteral("既存の点と層を消して置き換えます"));
    // Enter in the thickness box proposes again; it must not write the section.
    for (QPushButton* button : {adoptButton, replaceButton, cancelButton}) {
        button->setAutoDefault(false);
    }
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(adoptButton);
    buttons->addWidget(replaceButton);
    buttons->addWidget(cancelButton);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(middle, 3);
    layout->addWidget(BuddyLabel(QStringLiteral("つながり(&K)"), linkTable, this));
    layout->addWidget(linkTable, 2);
    layout->addWidget(noteLabel);
    layout->addLayout(buttons);

    connect(thicknessBox, &QDoubleSpinBox::valueChanged, this, [this](double metres) {
        review_->SetMinThickness(metres);
        Proposed();
    });
    connect(bandBox, &QDoubleSpinBox::valueChanged, this, [this](double metres) {
        review_->SetBand(metres);
        Proposed();
    });
    connect(unitTable, &QTableWidget::itemChanged, this, &LayerProposalDialog::UnitChanged);
    connect(linkTable, &QTableWidget::itemChanged, this, &LayerProposalDialog::LinkChanged);
    connect(adoptButton, &QPushButton::clicked, this, [this] { Adopt(false); });
    connect(replaceButton, &QPushButton::clicked, this, [this] { Adopt(true); });
    connect(cancelButton, &QPushButton::clicked, this, &QDialog::reject);

    Proposed();
    view_->ShowPreview(&preview_);
}

LayerProposalDialog::~LayerProposalDialog() {
    if (view_ != nullptr && isVisible()) {
        view_->ShowPreview(nullptr);
    }
}

void LayerProposalDialog::done(int result) {
    if (view_ != nullptr) {
        view_->ShowPreview(nullptr);
    }
    frame_.RefreshView();
    QDialog::done(result);
}

void LayerProposalDialog::Proposed() {
    BuildGroups();
    FillUnits();
    FillLinks();
    ShowState();
}

void LayerProposalDialog::BuildGroups() {
    const std::vector<SoilGroup> groups = review_->Groups();
    bool same = groups.size() == groupRows.size();
    for (std::size_t k = 0; same && k < groups.size(); ++k) {
        same = groupRows[k].group == groups[k];
    }
    if (!same) {
        for (QWidget* child : groupBox_->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
            delete child;
        }
        groupRows.clear();
        int row = 0;
        for (const SoilGroup group : groups) {
            const QString name = FromCp932(SoilGroupName(group));
            auto* colour = new QPushButton(QStringLiteral("色..."), groupBox_);
            colour->setAccessibleName(name + QStringLiteral(" 色"));
            colour->setAutoDefault(false);
            auto* hatch = new QComboBox(groupBox_);
            hatch->setAccessibleName(name + QStringLiteral(" ハッチ"));
            for (int h = 0; h < kHatchCount; ++h) {
                hatch->addItem(HatchName(h), h);
            }
            groupGrid_->addWidget(new QLabel(name, groupBox_), row, 0);
            groupGrid_->addWidget(colour, row, 1);
            groupGrid_->addWidget(hatch, row, 2);
            ++row;
            connect(colour, &QPushButton::clicked, this, [this, group] { ChooseGroupColour(group); });
            connect(hatch, &QComboBox::activated, this, [this, group, hatch](int index) {
                GroupStyle style = review_->Style(group);
                style.hatch = hatch->itemData(index).toInt();
                review_->SetGroupStyle(group, style);
                FillUnits();
                ShowState();
            });
            groupRows.push_back({group, colour, hatch});
        }
        ChainTabs();
    }
    for (const GroupRow& row : groupRows) {
        const GroupStyle& style = review_->Style(row.group);
        row.colour->setIcon(Swatch(style.colour));
        row.hatch->setCurrentIndex(std::clamp(style.hatch, 0, kHatchCount - 1));
    }
}

void LayerProposalDialog::ChainTabs() {
    std::vector<QWidget*> order{thicknessBox, bandBox, unitTable};
    for (const GroupRow& row : groupRows) {
        order.push_back(row.colour);
        order.push_back(row.hatch);
    }
    order.insert(order.end(), {linkTable, adoptButton, replaceButton, cancelButton});
    for (std::size_t k = 1; k < order.size(); ++k) {
        setTabOrder(order[k - 1], order[k]);
    }
}

void LayerProposalDialog::FillUnits() {
    const LayerProposal& p = review_->Proposal();
    filling_ = true;
    const int current = unitTable->currentRow();
    unitTable->setRowCount(static_cast<int>(p.units.size()));
    for (int u = 0; u < static_cast<int>(p.units.size()); ++u) {
        const ProposedUnit& unit = p.units[static_cast<std::size_t>(u)];
        QStringList logs;
        for (const ProposedUnit::Extent& e : unit.extents) {
            logs.append(ColumnName(p.columns[static_cast<std::size_t>(e.column)]));
        }
        auto* colour = Cell({});
        colour->setData(Qt::DecorationRole, ToQColor(unit.style.colour));
        colour->setToolTip(QStringLiteral("%1").arg(unit.style.colour, 6, 16, QLatin1Char('0')));
        unitTable->setItem(u, 0, CheckCell(FromCp932(unit.symbol), unit.accepted, true));
        unitTable->setItem(u, 1, Cell(FromCp932(SoilGroupName(unit.group))));
        unitTable->setItem(u, 2, colour);
        unitTable->setItem(u, 3, Cell(HatchName(unit.style.hatch)));
        unitTable->setItem(u, 4, Cell(logs.join(QLatin1Char(' '))));
    }
    if (unitTable->rowCount() > 0) {
        unitTable->setCurrentCell(std::clamp(current, 0, unitTable->rowCount() - 1), 0);
    }
    filling_ = false;
}

void LayerProposalDialog::FillLinks() {
    const LayerProposal& p = review_->Proposal();
    filling_ = true;
    const int current = linkTable->currentRow();
    linkTable->setRowCount(static_cast<int>(p.links.size()));
    for (int k = 0; k < static_cast<int>(p.links.size()); ++k) {
        const ProposalLink& link = p.links[static_cast<std::size_t>(k)];
        const QString span = ColumnName(p.columns[static_cast<std::size_t>(link.fromColumn)]) +
                             QStringLiteral(" → ") +
                             ColumnName(p.columns[static_cast<std::size_t>(link.toColumn)]);
        linkTable->setItem(k, 0, CheckCell(span, link.accepted, false));
        linkTable->setItem(k, 1, Cell(FromCp932(p.units[static_cast<std::size_t>(link.unit)].symbol)));
        linkTable->setItem(k, 2, Cell(KindName(link.kind)));
        linkTable->setItem(k, 3, Cell(FromCp932(link.reason)));
    }
    if (linkTable->rowCount() > 0) {
        linkTable->setCurrentCell(std::clamp(current, 0, linkTable->rowCount() - 1), 0);
    }
    filling_ = false;
}

void LayerProposalDialog::ShowState() {
    // Units left out (unchecked, or a link of theirs unchecked) are shown grey.
    filling_ = true;
    for (int u = 0; u < unitTable->rowCount(); ++u) {
        const bool written = review_->Written(u);
        for (int c = 0; c < unitTable->columnCount(); ++c) {
            QTableWidgetItem* item = unitTable->item(u, c);
            item->setForeground(written ? palette().text()
                                        : palette().brush(QPalette::Disabled, QPalette::Text));
        }
        unitTable->item(u, 0)->setToolTip(written ? QString() : QStringLiteral("書き込みません"));
    }
    filling_ = false;
    QStringList notes;
    for (const std::string& warning : review_->Proposal().warnings) {
        notes.append(FromCp932(warning));
    }
    if (!review_->CanReplace()) {
        notes.append(QStringLiteral("断面図の点・層・タイトルの数に収まらないため、書き込めません。"));
    } else if (!review_->CanAdd()) {
        notes.append(QStringLiteral("既存の点と層の後には空きがありません。置き換えはできます。"));
    }
    noteLabel->setText(notes.join(QLatin1Char('\n')));
    noteLabel->setVisible(!notes.isEmpty());
    preview_ = review_->Preview();
    view_->update();
}

void LayerProposalDialog::UnitChanged(QTableWidgetItem* item) {
    if (filling_ || item->column() != 0) {
        return;
    }
    const int unit = item->row();
    const ProposedUnit& shown = review_->Proposal().units[static_cast<std::size_t>(unit)];
    const bool accepted = item->checkState() == Qt::Checked;
    if (accepted != shown.accepted) {
        review_->SetUnitAccepted(unit, accepted);
    }
    if (item->text() != FromCp932(shown.symbol)) {
        if (const std::optional<std::string> symbol =
                ToCp932(item->text().trimmed(), QStringLiteral("記号"), frame_.Messages())) {
            review_->SetSymbol(unit, *symbol, frame_.Messages());
        }
        FillUnits();  // the symbol as kept (the proposed one again when it was emptied or refused)
        FillLinks();
    }
    ShowState();
}

void LayerProposalDialog::LinkChanged(QTableWidgetItem* item) {
    if (filling_ || item->column() != 0) {
        return;
    }
    review_->SetLinkAccepted(item->row(), item->checkState() == Qt::Checked);
    ShowState();
}

void LayerProposalDialog::ChooseGroupColour(SoilGroup group) {
    GroupStyle style = review_->Style(group);
    const std::optional<QColor> chosen = chooseColour(ToQColor(style.colour));
    if (!chosen) {
        return;
    }
    style.colour = rave::MakeColorRef(chosen->red(), chosen->green(), chosen->blue());
    review_->SetGroupStyle(group, style);
    BuildGroups();
    FillUnits();
    ShowState();
}

bool LayerProposalDialog::Adopt(bool replace) {
    rave::MessageSink& messages = frame_.Messages();
    if (review_->WrittenCount() == 0) {
        messages.Show(Cp932Message(0, QStringLiteral("書き込む地層がありません。")));
        return false;
    }
    if (replace &&
        !messages.AskYesNo(Cp932Message(0, QStringLiteral("既存の点と層、前回の推定が書いた地層記号の標題をす"
                                                          "べて消して、推定した地層に置き換えますか？")))) {
        return false;
    }
    const std::optional<SectionDocument> result = review_->Result(replace);
    if (!result) {
        messages.Show(Cp932Message(
            0, replace || !review_->CanReplace()
                   ? QStringLiteral(
                         "推定した地層が断面図の点・層・タイトルの数に収まらないため、書き込めません。")
                   : QStringLiteral("断面図に空きがないため地層を追加できません（置き換えはできます）。")));
        return false;
    }
    const WorkingFiles& files = frame_.Files();
    SectionDocument& document = frame_.Document();
    // One undo step for both files, written both or neither. The document takes up what they now
    // hold before the history tells the open dialogs, whose pending edits give way as after an undo.
    const bool written = CommitSectionEdit(frame_, QStringLiteral("地層の推定"), [&] {
        const bool done = WritePointsLayersAndTitles(files, *result, messages);
        ReadPointsLayersFile(files, document);
        ReadTitlesFile(files, document);
        return done;
    });
    Q_EMIT frame_.pointsLayersRead();
    if (written) {
        accept();
    } else {
        frame_.RefreshView();
    }
    return written;
}

}  // namespace ravesect::app
