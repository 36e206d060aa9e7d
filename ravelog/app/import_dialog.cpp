// The import dialog over ForeignImport, and the menu command that runs it on the main window's
// document.
#include "ravelog/app/import_dialog.h"

#include <QCheckBox>
#include <QEvent>
#include <QFileDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QStringList>
#include <QVBoxLayout>

#include "common/settings_files.h"
#include "platform/cell_edit_table.h"
#include "platform/codec.h"
#include "platform/install_folder.h"
#include "platform/path_qstring.h"
#include "ravelog/app/import_column_settings_dialog.h"
#include "ravelog/app/main_frame.h"
#include "ravelog/conversion/conversions.h"
#include "ravelog/conversion/default_settings.h"
#include "ravelog/conversion/soil_name_pass.h"

namespace ravelog::app {

namespace {

// "name|patterns|name|patterns||" as the file chooser's filter list "name (patterns);;...".
QString ChooserFilter(const std::string& cp932) {
    const QStringList parts = FromCp932(cp932).split(QLatin1Char('|'), Qt::SkipEmptyParts);
    QStringList filters;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        filters << QStringLiteral("%1 (%2)").arg(parts[i],
                                                 QString(parts[i + 1]).replace(QLatin1Char(';'), ' '));
    }
    return filters.join(QStringLiteral(";;"));
}

// The folder "FileC.ndx" names, which may be a Windows path ("D:\\data") of the user's files.
QString ChooserStartFolder(const std::string& cp932) {
    if (cp932.size() > 2 && cp932[1] == ':' && (cp932[2] == '\\' || cp932[2] == '/')) {
        const rave::DriveMap drives = rave::platform::SystemDriveMap(rave::platform::CurrentDriveFolders());
        if (const auto native = rave::WindowsPathToNative(cp932, drives)) {
            return rave::platform::PathToQString(*native);
        }
    }
    return FromCp932(cp932);
}

QLabel* Note(const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setWordWrap(false);
    return label;
}

}  // namespace

ImportDialog::ImportDialog(ImportMode mode, ImportChoices choices, SoundingDocument& document,
                           ImportRefresh refresh, std::filesystem::path installFolder,
                           rave::MessageSink& messages, QWidget* parent)
    : QDialog(parent),
      import_(mode, std::move(choices)),
      document_(document),
      refresh_(std::move(refresh)),
      installFolder_(std::move(installFolder)),
      messages_(messages) {
    setWindowTitle(FromCp932(ImportDialogCaption(mode)));

    // The file.
    auto* modeName = new QLabel(FromCp932(ImportModeName(mode)), this);
    modeName->setObjectName(QStringLiteral("modeName"));
    auto* choose = new QPushButton(QStringLiteral("外部ファイルを開く"), this);
    choose->setObjectName(QStringLiteral("chooseFileButton"));
    path_ = new QLineEdit(this);
    path_->setObjectName(QStringLiteral("pathField"));
    path_->setReadOnly(true);
    path_->setAccessibleName(QStringLiteral("ファイル"));
    connect(choose, &QPushButton::clicked, this, &ImportDialog::ChooseFile);
    auto* fileRow = new QHBoxLayout;
    fileRow->addWidget(modeName);
    fileRow->addWidget(choose);
    fileRow->addWidget(path_, 1);

    // The preview: one row per column number, one column per line.
    std::vector<rave::platform::CellEditColumn> previewColumns{{QStringLiteral("列No"), 40, false}};
    for (int line = 1; line <= kPreviewLines; ++line) {
        previewColumns.push_back({FromCp932(ImportPreviewLineHeading(line)), 64, false});
    }
    rave::platform::CellEditCallbacks previewCells;
    previewCells.rowCount = [] { return kImportFieldCount; };
    previewCells.cellText = [this](int row, int column) {
        if (column == 0) {
            return FromCp932(ImportNumberText(row + 1));
        }
        const ImportPreview& preview = import_.preview();
        if (column > preview.lineCount) {
            return QString();
        }
        return FromCp932(preview.lines[static_cast<std::size_t>(column - 1)][static_cast<std::size_t>(row)]);
    };
    preview_ = new rave::platform::CellEditTable(std::move(previewColumns), std::move(previewCells), this);
    preview_->setObjectName(QStringLiteral("previewTable"));
    preview_->setAccessibleName(QStringLiteral("トップビュー"));
    preview_->setMinimumSize(40 + 64 * kPreviewLines + 28, 260);
    auto assignColumn = [this](int row) {
        if (row < 0 || !PullChoices()) {
            return;
        }
        import_.AssignColumn(static_cast<ImportColumn>(lastColumnField_), row + 1);
        PushChoices();
    };
    connect(preview_, &QAbstractItemView::clicked, this,
            [assignColumn](const QModelIndex& index) { assignColumn(index.row()); });
    connect(preview_, &rave::platform::CellEditTable::rowActivated, this, assignColumn);

    // The line list.
    std::vector<rave::platform::CellEditColumn> listColumns;
    for (const ImportListHeading& heading : ImportListHeadings()) {
        listColumns.push_back({FromCp932(heading.text), heading.width + 16, false});
    }
    rave::platform::CellEditCallbacks listCells;
    listCells.rowCount = [this] { return static_cast<int>(import_.lineList().size()); };
    listCells.cellText = [this](int row, int column) {
        const ImportListLine& line = import_.lineList().at(static_cast<std::size_t>(row));
        switch (column) {
            case 0:
                return FromCp932(ImportNumberText(line.number));
            case 1:
                return FromCp932(line.load);
            case 2:
                return FromCp932(line.halfTurns);
            case 3:
                return FromCp932(line.depth);
            default:
                return FromCp932(line.soilName);
        }
    };
    lineList_ = new rave::platform::CellEditTable(std::move(listColumns), std::move(listCells), this);
    lineList_->setObjectName(QStringLiteral("lineList"));
    lineList_->setAccessibleName(QStringLiteral("使用行"));
    int listWidth = lineList_->frameWidth() * 2 + lineList_->verticalScrollBar()->sizeHint().width();
    for (int c = 0; c < lineList_->model()->columnCount(); ++c) {
        listWidth += lineList_->columnWidth(c);
    }
    lineList_->setMinimumSize(listWidth, 260);
    auto pickLine = [this](int row) {
        if (row < 0 || row >= static_cast<int>(import_.lineList().size()) || !PullChoices()) {
            return;
        }
        import_.SetRangeLine(lastRangeFieldIsTo_, import_.lineList()[static_cast<std::size_t>(row)].number);
        PushChoices();
    };
    connect(lineList_, &QAbstractItemView::clicked, this,
            [pickLine](const QModelIndex& index) { pickLine(index.row()); });
    connect(lineList_, &rave::platform::CellEditTable::rowActivated, this, pickLine);

    auto* tables = new QGridLayout;
    tables->addWidget(preview_, 0, 0);
    tables->addWidget(BuildColumns(), 0, 1);
    tables->addWidget(lineList_, 0, 2);
    tables->addWidget(Note(QStringLiteral("↑クリックして使用行を指定"), this), 1, 2);
    tables->setColumnStretch(0, 3);
    tables->setColumnStretch(2, 2);

    auto* ok = new QPushButton(QStringLiteral("OK （読み込み）"), this);
    ok->setObjectName(QStringLiteral("okButton"));
    ok->setDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("ｷｬﾝｾﾙ"), this);
    cancel->setObjectName(QStringLiteral("cancelButton"));
    cancel->setAutoDefault(false);
    connect(ok, &QPushButton::clicked, this, &ImportDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &ImportDialog::reject);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(BuildOptions());
    bottom->addWidget(BuildRange());
    bottom->addStretch();
    auto* closeButtons = new QVBoxLayout;
    closeButtons->addStretch();
    closeButtons->addWidget(ok);
    closeButtons->addWidget(cancel);
    bottom->addLayout(closeButtons);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fileRow);
    layout->addLayout(tables, 1);
    layout->addLayout(bottom);

    setTabOrder(choose, columns_[0]);
    for (int c = 1; c < kImportColumnCount; ++c) {
        setTabOrder(columns_[static_cast<std::size_t>(c - 1)], columns_[static_cast<std::size_t>(c)]);
    }
    setTabOrder(columns_.back(), from_);
    setTabOrder(from_, to_);
    setTabOrder(to_, ok);
    setTabOrder(ok, cancel);
    PushChoices();
    choose->setFocus();
}

QWidget* ImportDialog::BuildColumns() {
    auto* box = new QGroupBox(QStringLiteral("列No."), this);
    auto* grid = new QGridLayout(box);
    grid->addWidget(Note(QStringLiteral("←クリックして該当列を指定"), box), 0, 0, 1, 2);
    int row = 1;
    for (int c = 0; c < kImportColumnCount; ++c) {
        if (c == kColumnPointNumber) {
            grid->addWidget(new QLabel(QStringLiteral("1行目データ採用"), box), row++, 0, 1, 2);
        }
        auto* field = new QLineEdit(box);
        field->setObjectName(QStringLiteral("column%1").arg(c));
        field->setMaxLength(2);
        field->setFixedWidth(fontMetrics().horizontalAdvance(QStringLiteral("0000")) + 12);
        field->installEventFilter(this);
        columns_[static_cast<std::size_t>(c)] = field;
        AddLabelledRow(grid, row++, 0, FromCp932(ImportColumnLabel(static_cast<ImportColumn>(c))), field);
    }
    auto* standard = new QPushButton(QStringLiteral("標準の設定"), box);
    standard->setObjectName(QStringLiteral("standardButton"));
    auto* named = new QPushButton(QStringLiteral("設定と保存"), box);
    named->setObjectName(QStringLiteral("namedSettingsButton"));
    for (QPushButton* button : {standard, named}) {
        button->setAutoDefault(false);
    }
    connect(standard, &QPushButton::clicked, this, [this] {
        import_.UseStandardColumns();
        PushChoices();
    });
    connect(named, &QPushButton::clicked, this, &ImportDialog::OpenColumnSettings);
    grid->addWidget(standard, row++, 0, 1, 2);
    grid->addWidget(named, row++, 0, 1, 2);
    grid->setRowStretch(row, 1);
    return box;
}

QWidget* ImportDialog::BuildOptions() {
    auto* box = new QWidget(this);
    auto* grid = new QGridLayout(box);
    grid->setContentsMargins(0, 0, 0, 0);
    kgf_ = new QCheckBox(QStringLiteral("荷重Wsn　kgfからkNに x0.01"), box);
    kgf_->setObjectName(QStringLiteral("kgfOption"));
    cm_ = new QCheckBox(QStringLiteral("貫入深さ　cmからmに x0.01"), box);
    cm_->setObjectName(QStringLiteral("cmOption"));
    clearHeader_ = new QCheckBox(QStringLiteral("見出しデータ\nをクリアした後\nに読み込む"), box);
    clearHeader_->setObjectName(QStringLiteral("clearHeaderOption"));
    clearHeader_->setAccessibleName(QStringLiteral("見出しデータをクリアした後に読み込む"));
    omitRepeated_ = new QCheckBox(QStringLiteral("同じ土質名が\n続く場合途中\n表示を省略"), box);
    omitRepeated_->setObjectName(QStringLiteral("repeatedNameOption"));
    omitRepeated_->setAccessibleName(QStringLiteral("同じ土質名が続く場合途中表示を省略"));
    grid->addWidget(kgf_, 0, 0, 1, 2);
    grid->addWidget(cm_, 1, 0, 1, 2);
    grid->addWidget(clearHeader_, 2, 0);
    grid->addWidget(omitRepeated_, 2, 1);
    grid->addWidget(Note(QStringLiteral("・指定範囲内の\n深さ列に数値が\n無い場合は無視\nします."), box), 0,
                    2, 3, 1);
    return box;
}

QWidget* ImportDialog::BuildRange() {
    auto* box = new QGroupBox(QStringLiteral("行範囲指定"), this);
    auto* grid = new QGridLayout(box);
    auto* range = new QPushButton(QStringLiteral("行範囲指定"), box);
    range->setObjectName(QStringLiteral("rangeButton"));
    range->setAutoDefault(false);
    connect(range, &QPushButton::clicked, this, &ImportDialog::FillLineList);
    from_ = new QLineEdit(box);
    from_->setObjectName(QStringLiteral("fromField"));
    to_ = new QLineEdit(box);
    to_->setObjectName(QStringLiteral("toField"));
    span_ = new QLineEdit(box);
    span_->setObjectName(QStringLiteral("spanField"));
    span_->setReadOnly(true);
    const int width = fontMetrics().horizontalAdvance(QStringLiteral("000000")) + 12;
    for (QLineEdit* field : {from_, to_}) {
        field->setFixedWidth(width);
        field->installEventFilter(this);
    }
    span_->setFixedWidth(width * 2);
    grid->addWidget(range, 0, 0, 1, 4);
    auto* fromLabel = BuddyLabel(QStringLiteral("行No."), from_, box);
    from_->setAccessibleName(QStringLiteral("行No. から"));
    to_->setAccessibleName(QStringLiteral("行No. まで"));
    grid->addWidget(fromLabel, 1, 0);
    grid->addWidget(from_, 1, 1);
    grid->addWidget(new QLabel(QStringLiteral("～"), box), 1, 2);
    grid->addWidget(to_, 1, 3);
    AddLabelledRow(grid, 2, 0, QStringLiteral("該当列 全データ"), span_);
    return box;
}

bool ImportDialog::PullChoices() {
    ImportChoices& choices = import_.choices();
    for (int c = 0; c < kImportColumnCount; ++c) {
        QLineEdit* field = columns_[static_cast<std::size_t>(c)];
        const auto text = ToCp932(field->text(), field->accessibleName(), messages_);
        if (!text) {
            return false;
        }
        choices.columns[static_cast<std::size_t>(c)] = *text;
    }
    const auto from = ToCp932(from_->text(), from_->accessibleName(), messages_);
    const auto to = from ? ToCp932(to_->text(), to_->accessibleName(), messages_) : std::nullopt;
    if (!from || !to) {
        return false;
    }
    choices.fromLine = *from;
    choices.toLine = *to;
    choices.loadInKgf = kgf_->isChecked();
    choices.depthInCm = cm_->isChecked();
    choices.clearHeader = clearHeader_->isChecked();
    choices.omitRepeatedNames = omitRepeated_->isChecked();
    return true;
}

void ImportDialog::PushChoices() {
    const ImportChoices& choices = import_.choices();
    for (int c = 0; c < kImportColumnCount; ++c) {
        columns_[static_cast<std::size_t>(c)]->setText(
            FromCp932(choices.columns[static_cast<std::size_t>(c)]));
    }
    from_->setText(FromCp932(choices.fromLine));
    to_->setText(FromCp932(choices.toLine));
    kgf_->setChecked(choices.loadInKgf);
    cm_->setChecked(choices.depthInCm);
    clearHeader_->setChecked(choices.clearHeader);
    omitRepeated_->setChecked(choices.omitRepeatedNames);
    const int last = import_.fileLastLine();
    span_->setText(last > 0 ? QStringLiteral("1～%1").arg(last) : QString());
}

std::optional<std::filesystem::path> ImportDialog::AskForFile(const QString& startFolder) {
    QFileDialog chooser(this, windowTitle(), startFolder, ChooserFilter(ImportFileFilter(import_.mode())));
    chooser.setFileMode(QFileDialog::ExistingFile);
    chooser.setDefaultSuffix(FromCp932(ImportDefaultExtension(import_.mode())));
    if (chooser.exec() != QDialog::Accepted || chooser.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    return rave::platform::PathFromQString(chooser.selectedFiles().first());
}

void ImportDialog::ChooseFile() {
    const QString start = ChooserStartFolder(ImportStartFolder(installFolder_));
    if (const std::optional<std::filesystem::path> file = AskForFile(start)) {
        OpenFile(*file);
    }
}

void ImportDialog::OpenFile(const std::filesystem::path& file) {
    import_.ChooseFile(file, messages_);
    path_->setText(rave::platform::PathToQString(file));
    preview_->Reload();
}

bool ImportDialog::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusIn) {
        for (int c = 0; c < kImportColumnCount; ++c) {
            if (watched == columns_[static_cast<std::size_t>(c)]) {
                lastColumnField_ = c;
            }
        }
        if (watched == from_ || watched == to_) {
            lastRangeFieldIsTo_ = watched == to_;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void ImportDialog::FillLineList() {
    if (!PullChoices()) {
        return;
    }
    import_.FillLineList(messages_);
    lineList_->Reload();
    PushChoices();
}

int ImportDialog::RunColumnSettings(ImportColumnSettingsDialog& dialog) {
    return dialog.exec();
}

void ImportDialog::OpenColumnSettings() {
    if (!PullChoices()) {
        return;
    }
    ImportColumnSettingsDialog dialog(installFolder_, import_.mode(), import_.choices(), messages_, this);
    RunColumnSettings(dialog);
    PushChoices();
}

void ImportDialog::accept() {
    if (!PullChoices()) {
        return;
    }
    // The model opens the file before it clears anything, so a refusal leaves the document as it was.
    if (!import_.Import(document_, messages_, refresh_)) {
        return;
    }
    QDialog::accept();
}

void ImportForeignFile(MainFrame& frame, ImportMode mode, const DialogRunner& run) {
    if (!frame.ConfirmDiscardChanges()) {
        return;
    }
    StartupFiles& files = frame.Files();
    rave::MessageSink& messages = frame.Messages();
    ImportRefresh refresh;
    const std::shared_ptr<const rave::InstalledSoilTables> tables = files.soilTables;
    refresh.fillJacicPatterns = [tables](SoundingDocument& document, int count) {
        FillJacicPatterns(tables->jacic, document, count);
    };
    const rave::RavelogSettings settings = files.settings;
    refresh.fillEmptySettings = [settings](SoundingDocument& document) {
        FillEmptySettings(document, settings);
    };
    refresh.assignClassesAndConversions = [&messages](SoundingDocument& document, int count) {
        AssignSoilClasses(document, count, messages);
        RecomputeConversions(document, count);
    };

    const SoundingDocument before = frame.Document();
    // The dialog works on a copy, so the main window's document changes only by the one
    // committed step below.
    SoundingDocument imported = frame.Document();
    ImportDialog dialog(mode, LoadImportChoices(files.settings, mode), imported, refresh,
                        frame.InstallFolder(), messages, &frame);
    if (run(dialog) != QDialog::Accepted) {
        RefreshAfterImportCancelled(frame.Document(), refresh);
        frame.RefreshView();
        return;
    }
    StoreImportChoices(files.settings, mode, dialog.Model().choices());
    if (!rave::SaveSettings(files.paths.settings, files.settings)) {
        messages.Show(rave::Message{4005, *rave::platform::Utf8ToCp932("保存できませんでした\n( %1 )"),
                                    files.paths.settings.string()});
    }
    frame.Document() = std::move(imported);
    frame.CommitDocumentEdit(FromCp932(ImportModeName(mode)), before);
}

}  // namespace ravelog::app
