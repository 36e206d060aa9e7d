// The outline and photograph editors of the report window.
#include "site/app/site_list_editors.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>

#include "platform/widget_text.h"

namespace site::app {

namespace {

using rave::platform::FromCp932;
using rave::platform::Utf8Message;

QString Plain(QString text) {
    return text.remove(QLatin1Char('&'));
}

QPushButton* Button(const QString& text, const QString& accessible, QWidget* parent, QHBoxLayout* row) {
    auto* button = new QPushButton(text, parent);
    button->setAccessibleName(accessible);
    row->addWidget(button);
    return button;
}

QTableWidget* NewTable(int columns, const QStringList& headers, QWidget* parent) {
    auto* table = new QTableWidget(0, columns, parent);
    table->setHorizontalHeaderLabels(headers);
    table->horizontalHeader()->setStretchLastSection(true);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->setSelectionMode(QAbstractItemView::SingleSelection);
    table->setTabKeyNavigation(false);
    return table;
}

}  // namespace

SiteOutlineEditor::SiteOutlineEditor(const QString& title, std::vector<PlanPoint>& corners,
                                     rave::MessageSink& messages, QWidget* parent)
    : QWidget(parent), corners_(corners), messages_(messages) {
    table_ = NewTable(2, {QStringLiteral("X (m, 東)"), QStringLiteral("Y (m, 北)")}, this);
    auto* buttons = new QHBoxLayout;
    QPushButton* add =
        Button(QStringLiteral("角を追加"), Plain(title) + QStringLiteral("の角を追加"), this, buttons);
    QPushButton* remove =
        Button(QStringLiteral("角を削除"), Plain(title) + QStringLiteral("の角を削除"), this, buttons);
    buttons->addStretch(1);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(
        rave::platform::BuddyLabel(title + QStringLiteral(" の角 (3つ以上で描きます):"), table_, this));
    layout->addWidget(table_, 1);
    layout->addLayout(buttons);
    table_->setAccessibleName(Plain(title) + QStringLiteral("の角"));

    connect(table_, &QTableWidget::cellChanged, this, &SiteOutlineEditor::CellEdited);
    connect(add, &QPushButton::clicked, this, [this] {
        // A new corner starts on the last one, to be typed over.
        corners_.push_back(corners_.empty() ? PlanPoint{} : corners_.back());
        Reload();
        table_->setCurrentCell(static_cast<int>(corners_.size()) - 1, 0);
        Q_EMIT Changed();
    });
    connect(remove, &QPushButton::clicked, this, [this] {
        const int row = table_->currentRow();
        if (row >= 0 && row < static_cast<int>(corners_.size())) {
            corners_.erase(corners_.begin() + row);
            Reload();
            Q_EMIT Changed();
        }
    });
    Reload();
}

void SiteOutlineEditor::Reload() {
    rebuilding_ = true;
    table_->setRowCount(static_cast<int>(corners_.size()));
    for (int i = 0; i < static_cast<int>(corners_.size()); ++i) {
        const PlanPoint& corner = corners_[static_cast<std::size_t>(i)];
        table_->setItem(i, 0, new QTableWidgetItem(QString::fromStdString(ReportNumberText(corner.x))));
        table_->setItem(i, 1, new QTableWidgetItem(QString::fromStdString(ReportNumberText(corner.y))));
    }
    rebuilding_ = false;
}

void SiteOutlineEditor::CellEdited(int row, int column) {
    if (rebuilding_ || row < 0 || row >= static_cast<int>(corners_.size())) {
        return;
    }
    const std::optional<double> value =
        ParseReportNumber(table_->item(row, column)->text().trimmed().toStdString());
    if (!value) {
        messages_.Show(Utf8Message(QStringLiteral("角のX、Yにはメートル単位の数値を入力して下さい。")));
    } else {
        PlanPoint& corner = corners_[static_cast<std::size_t>(row)];
        (column == 0 ? corner.x : corner.y) = *value;
        Q_EMIT Changed();
    }
    QTimer::singleShot(0, this, [this] { Reload(); });
}

SitePhotosEditor::SitePhotosEditor(std::vector<ReportPhoto>& photos,
                                   std::function<std::filesystem::path()> folder, rave::MessageSink& messages,
                                   QWidget* parent)
    : QWidget(parent), photos_(photos), folder_(std::move(folder)), messages_(messages) {
    table_ = NewTable(2, {QStringLiteral("写真ファイル"), QStringLiteral("説明")}, this);
    table_->setAccessibleName(QStringLiteral("写真と説明"));
    table_->setColumnWidth(0, 260);
    auto* buttons = new QHBoxLayout;
    QPushButton* add = Button(QStringLiteral("追加(&A)..."), QStringLiteral("写真を追加"), this, buttons);
    QPushButton* remove = Button(QStringLiteral("削除(&D)"), QStringLiteral("写真を削除"), this, buttons);
    QPushButton* up = Button(QStringLiteral("上へ(&U)"), QStringLiteral("写真を上へ"), this, buttons);
    QPushButton* down = Button(QStringLiteral("下へ(&W)"), QStringLiteral("写真を下へ"), this, buttons);
    buttons->addStretch(1);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(
        rave::platform::BuddyLabel(QStringLiteral("写真 (JPEG、PNG) と説明(&J):"), table_, this));
    layout->addWidget(table_, 1);
    layout->addLayout(buttons);

    connect(add, &QPushButton::clicked, this, [this] { Q_EMIT AddRequested(); });
    connect(remove, &QPushButton::clicked, this, [this] {
        const int row = table_->currentRow();
        if (row >= 0 && row < static_cast<int>(photos_.size())) {
            photos_.erase(photos_.begin() + row);
            Reload();
            Q_EMIT Changed();
        }
    });
    connect(up, &QPushButton::clicked, this, [this] { Move(-1); });
    connect(down, &QPushButton::clicked, this, [this] { Move(1); });
    connect(table_, &QTableWidget::cellChanged, this, [this](int row, int column) {
        if (rebuilding_ || column != 1 || row < 0 || row >= static_cast<int>(photos_.size())) {
            return;
        }
        const std::optional<std::string> caption = rave::platform::ToCp932(
            table_->item(row, 1)->text().trimmed(), QStringLiteral("説明"), messages_);
        if (caption) {
            photos_[static_cast<std::size_t>(row)].caption = *caption;
            Q_EMIT Changed();
        }
        QTimer::singleShot(0, this, [this] { Reload(); });
    });
    Reload();
}

int SitePhotosEditor::AddFiles(const std::vector<std::filesystem::path>& files) {
    int added = 0;
    for (const std::filesystem::path& file : files) {
        const std::optional<std::string> stored = ReportPathText(folder_(), file);
        if (static_cast<int>(photos_.size()) >= kMaxReportPhotos || !stored) {
            messages_.Show(Utf8Message(QString::fromStdString(file.string()) +
                                       QStringLiteral("\nこの写真は追加できません。")));
            continue;
        }
        photos_.push_back({*stored, {}});
        ++added;
    }
    if (added > 0) {
        Reload();
        // The caption of the first new photograph is ready to be typed.
        const int row = static_cast<int>(photos_.size()) - added;
        table_->setCurrentCell(row, 1);
        table_->editItem(table_->item(row, 1));
        Q_EMIT Changed();
    }
    return added;
}

void SitePhotosEditor::Reload() {
    rebuilding_ = true;
    table_->setRowCount(static_cast<int>(photos_.size()));
    for (int i = 0; i < static_cast<int>(photos_.size()); ++i) {
        const ReportPhoto& photo = photos_[static_cast<std::size_t>(i)];
        auto* file = new QTableWidgetItem(FromCp932(photo.file));
        file->setFlags(file->flags() & ~Qt::ItemIsEditable);
        table_->setItem(i, 0, file);
        table_->setItem(i, 1, new QTableWidgetItem(FromCp932(photo.caption)));
    }
    rebuilding_ = false;
}

void SitePhotosEditor::Move(int offset) {
    const int from = table_->currentRow();
    const int to = from + offset;
    if (from < 0 || to < 0 || to >= static_cast<int>(photos_.size())) {
        return;
    }
    std::swap(photos_[static_cast<std::size_t>(from)], photos_[static_cast<std::size_t>(to)]);
    Reload();
    table_->setCurrentCell(to, 1);
    Q_EMIT Changed();
}

}  // namespace site::app
