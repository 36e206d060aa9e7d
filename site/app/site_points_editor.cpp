// The points of the report window: a list for the order, a table for labels and places, the plan.
#include "site/app/site_points_editor.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSplitter>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>

#include "common/text_fields.h"
#include "platform/widget_text.h"
#include "ravelog/document/sounding_document.h"
#include "site/app/site_plan_view.h"
#include "site/site_points.h"

namespace site::app {

namespace {

using rave::platform::FromCp932;
using rave::platform::Utf8Message;

enum Column { kFile, kLabel, kX, kY, kColumns };

QString FileName(const std::string& stored) {
    const QString name = FromCp932(stored);
    return name.mid(name.lastIndexOf(QLatin1Char('/')) + 1);
}

QString NumberCell(const std::optional<PlanPoint>& place, bool x) {
    if (!place) {
        return {};
    }
    return QString::fromStdString(ReportNumberText(x ? place->x : place->y));
}

}  // namespace

SitePointsEditor::SitePointsEditor(SiteReport& report, std::function<std::filesystem::path()> folder,
                                   rave::MessageSink& messages, QWidget* parent)
    : QWidget(parent), report_(report), folder_(std::move(folder)), messages_(messages) {
    list_ = new QListWidget(this);
    list_->setDragDropMode(QAbstractItemView::InternalMove);
    list_->setDefaultDropAction(Qt::MoveAction);
    list_->setAccessibleName(QStringLiteral("測点の順序"));
    auto* add = new QPushButton(QStringLiteral("追加(&A)..."), this);
    remove_ = new QPushButton(QStringLiteral("削除(&D)"), this);
    up_ = new QPushButton(QStringLiteral("上へ(&U)"), this);
    down_ = new QPushButton(QStringLiteral("下へ(&W)"), this);
    add->setAccessibleName(QStringLiteral("測点を追加"));
    remove_->setAccessibleName(QStringLiteral("測点を削除"));
    up_->setAccessibleName(QStringLiteral("測点を上へ"));
    down_->setAccessibleName(QStringLiteral("測点を下へ"));

    table_ = new QTableWidget(0, kColumns, this);
    table_->setHorizontalHeaderLabels({QStringLiteral("ファイル"), QStringLiteral("名称"),
                                       QStringLiteral("X (m, 東)"), QStringLiteral("Y (m, 北)")});
    table_->horizontalHeader()->setSectionResizeMode(kFile, QHeaderView::Stretch);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setSelectionMode(QAbstractItemView::SingleSelection);
    table_->setAccessibleName(QStringLiteral("測点の位置"));
    table_->setTabKeyNavigation(false);
    plan_ = new SitePlanView(
        report_, [this] { return Labels(); }, this);

    auto* listLabel = rave::platform::BuddyLabel(QStringLiteral("測点(&L):"), list_, this);
    auto* tableLabel = rave::platform::BuddyLabel(QStringLiteral("名称と位置(&T):"), table_, this);
    auto* planLabel = rave::platform::BuddyLabel(QStringLiteral("調査位置図(&M):"), plan_, this);
    auto* planHint =
        new QLabel(QStringLiteral("クリック (または矢印キーとEnter) で選択中の測点を置きます"), this);
    auto* buttons = new QHBoxLayout;
    for (QPushButton* button : {add, remove_, up_, down_}) {
        buttons->addWidget(button);
    }
    auto* left = new QVBoxLayout;
    left->addWidget(listLabel);
    left->addWidget(list_, 1);
    left->addLayout(buttons);
    auto* right = new QVBoxLayout;
    right->addWidget(tableLabel);
    right->addWidget(table_, 2);
    auto* planRow = new QHBoxLayout;
    planRow->addWidget(planLabel);
    planRow->addWidget(planHint, 1);
    right->addLayout(planRow);
    right->addWidget(plan_, 3);
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(left, 1);
    layout->addLayout(right, 3);
    setTabOrder(list_, add);
    setTabOrder(add, remove_);
    setTabOrder(remove_, up_);
    setTabOrder(up_, down_);
    setTabOrder(down_, table_);
    setTabOrder(table_, plan_);

    connect(add, &QPushButton::clicked, this, [this] { Q_EMIT AddRequested(); });
    connect(remove_, &QPushButton::clicked, this, [this] { RemoveSelected(); });
    connect(up_, &QPushButton::clicked, this, [this] { Move(-1); });
    connect(down_, &QPushButton::clicked, this, [this] { Move(1); });
    connect(table_, &QTableWidget::cellChanged, this, &SitePointsEditor::CellEdited);
    connect(list_, &QListWidget::currentRowChanged, this, [this](int row) {
        if (!rebuilding_ && row >= 0 && table_->currentRow() != row) {
            table_->selectRow(row);
        }
    });
    connect(table_, &QTableWidget::currentCellChanged, this, [this](int row) {
        if (!rebuilding_ && row >= 0 && list_->currentRow() != row) {
            list_->setCurrentRow(row);
        }
    });
    // A drop moves the list's rows; the report follows once the drop is over.
    auto followDrop = [this] {
        if (!rebuilding_) {
            QTimer::singleShot(0, this, [this] { OrderFromList(); });
        }
    };
    connect(list_->model(), &QAbstractItemModel::rowsMoved, this, followDrop);
    connect(list_->model(), &QAbstractItemModel::rowsInserted, this, followDrop);
    connect(plan_, &SitePlanView::PlaceChosen, this, [this](PlanPoint place) { PlaceSelected(place); });
    Rebuild();
}

std::string SitePointsEditor::PointNumberOf(const std::string& stored) {
    const std::filesystem::path path = ResolveReportPath(folder_(), stored);
    auto found = pointNumbers_.find(path);
    if (found == pointNumbers_.end()) {
        ravelog::SoundingDocument document;
        std::string number;
        if (OpenPointSounding(path, document).empty()) {
            number = std::string(rave::TrimBlanks(document.header[ravelog::slot::kPointNumber]));
        }
        found = pointNumbers_.emplace(path, number).first;
    }
    return found->second;
}

std::vector<std::string> SitePointsEditor::Labels() {
    std::vector<std::string> labels;
    for (const ReportPoint& point : report_.points) {
        labels.push_back(!point.label.empty() ? point.label : PointNumberOf(point.file));
    }
    return labels;
}

int SitePointsEditor::AddFiles(const std::vector<std::filesystem::path>& files) {
    int added = 0;
    for (const std::filesystem::path& file : files) {
        const QString name = QString::fromStdString(file.string());
        if (static_cast<int>(report_.points.size()) >= kMaxReportPoints) {
            messages_.Show(
                Utf8Message(QStringLiteral("報告書に入れられる測点は%1までです。\n%2 は追加しませんでした。")
                                .arg(kMaxReportPoints)
                                .arg(name)));
            break;
        }
        ravelog::SoundingDocument document;
        if (const std::string problem = OpenPointSounding(file, document); !problem.empty()) {
            messages_.Show(Utf8Message(name + QStringLiteral("\n") + FromCp932(problem)));
            continue;
        }
        const std::optional<std::string> stored = ReportPathText(folder_(), file);
        if (!stored) {
            messages_.Show(
                Utf8Message(name + QStringLiteral("\nこのファイル名は報告書ファイルに書けません。")));
            continue;
        }
        pointNumbers_[ResolveReportPath(folder_(), *stored)] =
            std::string(rave::TrimBlanks(document.header[ravelog::slot::kPointNumber]));
        report_.points.push_back({*stored, std::nullopt, {}});
        ++added;
    }
    if (added > 0) {
        Rebuild();
        SelectPoint(static_cast<int>(report_.points.size()) - 1);
        Q_EMIT Changed();
    }
    return added;
}

void SitePointsEditor::Reload() {
    pointNumbers_.clear();
    Rebuild();
}

void SitePointsEditor::Rebuild() {
    rebuilding_ = true;
    const int selected = SelectedPoint();
    const std::vector<std::string> labels = Labels();
    list_->clear();
    table_->setRowCount(static_cast<int>(report_.points.size()));
    for (int i = 0; i < static_cast<int>(report_.points.size()); ++i) {
        const ReportPoint& point = report_.points[static_cast<std::size_t>(i)];
        auto* item = new QListWidgetItem(QStringLiteral("%1  %2").arg(
            FromCp932(labels[static_cast<std::size_t>(i)]), FileName(point.file)));
        item->setData(Qt::UserRole, i);
        item->setToolTip(FromCp932(point.file));
        list_->addItem(item);
        auto* file = new QTableWidgetItem(FileName(point.file));
        file->setFlags(file->flags() & ~Qt::ItemIsEditable);
        file->setToolTip(FromCp932(point.file));
        table_->setItem(i, kFile, file);
        table_->setItem(i, kLabel, new QTableWidgetItem(FromCp932(point.label)));
        table_->setItem(i, kX, new QTableWidgetItem(NumberCell(point.position, true)));
        table_->setItem(i, kY, new QTableWidgetItem(NumberCell(point.position, false)));
    }
    rebuilding_ = false;
    const bool any = !report_.points.empty();
    remove_->setEnabled(any);
    up_->setEnabled(any);
    down_->setEnabled(any);
    if (selected >= 0) {
        SelectPoint(std::min(selected, static_cast<int>(report_.points.size()) - 1));
    }
    plan_->update();
}

int SitePointsEditor::SelectedPoint() const {
    return list_->currentRow();
}

void SitePointsEditor::SelectPoint(int index) {
    if (index < 0 || index >= static_cast<int>(report_.points.size())) {
        return;
    }
    list_->setCurrentRow(index);
    table_->selectRow(index);
}

void SitePointsEditor::CellEdited(int row, int column) {
    if (rebuilding_ || row < 0 || row >= static_cast<int>(report_.points.size())) {
        return;
    }
    ReportPoint& point = report_.points[static_cast<std::size_t>(row)];
    if (column == kLabel) {
        const std::optional<std::string> label = rave::platform::ToCp932(
            table_->item(row, kLabel)->text().trimmed(), QStringLiteral("名称"), messages_);
        if (label) {
            point.label = *label;
        }
    } else if (column == kX || column == kY) {
        const QString xText = table_->item(row, kX)->text().trimmed();
        const QString yText = table_->item(row, kY)->text().trimmed();
        if (xText.isEmpty() && yText.isEmpty()) {
            point.position.reset();
        } else if (xText.isEmpty() || yText.isEmpty()) {
            return;  // the other coordinate is still to come
        } else {
            const std::optional<double> x = ParseReportNumber(xText.toStdString());
            const std::optional<double> y = ParseReportNumber(yText.toStdString());
            if (!x || !y) {
                messages_.Show(
                    Utf8Message(QStringLiteral("位置のX、Yにはメートル単位の数値を入力して下さい。")));
            } else {
                point.position = PlanPoint{*x, *y};
            }
        }
    }
    // The cells show what the report holds (a refused text goes back to the one before).
    QTimer::singleShot(0, this, [this] { Rebuild(); });
    Q_EMIT Changed();
}

void SitePointsEditor::OrderFromList() {
    if (rebuilding_ || list_->count() != static_cast<int>(report_.points.size())) {
        return;
    }
    std::vector<ReportPoint> ordered;
    for (int row = 0; row < list_->count(); ++row) {
        const int from = list_->item(row)->data(Qt::UserRole).toInt();
        if (from < 0 || from >= static_cast<int>(report_.points.size())) {
            return;
        }
        ordered.push_back(report_.points[static_cast<std::size_t>(from)]);
    }
    if (ordered == report_.points) {
        return;
    }
    report_.points = std::move(ordered);
    const int current = list_->currentRow();
    Rebuild();
    SelectPoint(current);
    Q_EMIT Changed();
}

void SitePointsEditor::Move(int offset) {
    const int from = SelectedPoint();
    const int to = from + offset;
    if (from < 0 || to < 0 || to >= static_cast<int>(report_.points.size())) {
        return;
    }
    std::swap(report_.points[static_cast<std::size_t>(from)], report_.points[static_cast<std::size_t>(to)]);
    Rebuild();
    SelectPoint(to);
    Q_EMIT Changed();
}

void SitePointsEditor::RemoveSelected() {
    const int row = SelectedPoint();
    if (row < 0 || row >= static_cast<int>(report_.points.size())) {
        return;
    }
    report_.points.erase(report_.points.begin() + row);
    Rebuild();
    SelectPoint(std::min(row, static_cast<int>(report_.points.size()) - 1));
    Q_EMIT Changed();
}

void SitePointsEditor::PlaceSelected(const PlanPoint& place) {
    if (report_.points.empty()) {
        messages_.Show(Utf8Message(QStringLiteral("先に測点を追加して下さい。")));
        return;
    }
    const int row = std::max(0, SelectedPoint());
    report_.points[static_cast<std::size_t>(row)].position = place;
    Rebuild();
    SelectPoint(row);
    Q_EMIT Changed();
}

}  // namespace site::app
