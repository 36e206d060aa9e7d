// The shared font dialog: rows of widgets bound to a FontDialogBinding, and Ravelog's binding.
#include "platform/font_settings_dialog.h"

#include <QColorDialog>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFontDialog>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <cmath>

#include "common/format.h"
#include "common/numbers.h"
#include "platform/codec.h"
#include "platform/widget_text.h"

namespace rave::platform {

namespace {

// The text the size list shows for a size: the list's own entry for whole points, else "%.1f".
QString SizeText(double size) {
    const double whole = std::round(size);
    if (std::fabs(size - whole) < 1e-9) {
        return FromCp932(FontSizeListEntry(static_cast<int>(whole)));
    }
    return FromCp932(FormatText("%.1f", size));
}

Message UnusableFaceMessage() {
    // "The face name holds characters the font files cannot store".
    return Message{0, Utf8ToCp932("書体名にファイルへ保存できない文字が含まれています").value_or(""), ""};
}

}  // namespace

// --- Ravelog's binding -----------------------------------------------------------------------

RavelogFontBinding::RavelogFontBinding(const RavelogFonts& fonts, std::filesystem::path installFolder)
    : model_(fonts), installFolder_(std::move(installFolder)) {}

int RavelogFontBinding::FontCount() const {
    return kRavelogFontCount;
}

std::string RavelogFontBinding::ButtonLabel(int n) const {
    return FontButtonLabel(n);
}

std::string RavelogFontBinding::Usage(int n) const {
    return FontUsage(n);
}

double RavelogFontBinding::SizeLimit(int) const {
    return 200.0;
}

const FontSlot& RavelogFontBinding::Font(int n) const {
    return model_.Font(n);
}

bool RavelogFontBinding::ChooseFont(int n, double size, const std::string& face, MessageSink& messages) {
    return model_.ChooseFont(n, size, face, messages);
}

void RavelogFontBinding::ChooseColour(int n, long colour) {
    model_.ChooseColour(n, colour);
}

void RavelogFontBinding::RestoreStandard() {
    model_.RestoreStandard();
}

bool RavelogFontBinding::Save(MessageSink& messages) {
    return model_.Save(installFolder_, messages);
}

// --- Colours ---------------------------------------------------------------------------------

QColor ColorFromColorref(long colour) {
    return QColor(static_cast<int>(colour & 0xff), static_cast<int>((colour >> 8) & 0xff),
                  static_cast<int>((colour >> 16) & 0xff));
}

long ColorrefFromColor(const QColor& color) {
    return static_cast<long>(color.red()) | (static_cast<long>(color.green()) << 8) |
           (static_cast<long>(color.blue()) << 16);
}

// --- The dialog ------------------------------------------------------------------------------

FontSettingsDialog::FontSettingsDialog(FontDialogBinding& binding, MessageSink& messages, QWidget* parent)
    : QDialog(parent), binding_(binding), messages_(messages) {
    setWindowTitle(QStringLiteral("フォント"));

    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(10);
    const QString headings[] = {QStringLiteral("フォント"), QStringLiteral("書体"),
                                QStringLiteral("サイズ ポイント (mm)"), QStringLiteral("色"),
                                QStringLiteral("用途")};
    for (int column = 0; column < 5; ++column) {
        grid->addWidget(new QLabel(headings[column]), 0, column);
    }
    rows_.resize(static_cast<std::size_t>(binding_.FontCount()));
    for (int n = 1; n <= binding_.FontCount(); ++n) {
        BuildRow(n, grid, n);
    }
    grid->setColumnStretch(4, 1);

    standardButton_ = new QPushButton(QStringLiteral("標準例"));
    standardButton_->setAutoDefault(false);
    connect(standardButton_, &QPushButton::clicked, this, [this] {
        binding_.RestoreStandard();
        ShowAll();
    });

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("キャンセル"));
    buttons->addButton(standardButton_, QDialogButtonBox::ResetRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addSpacing(8);
    layout->addWidget(buttons);
    ShowAll();
}

void FontSettingsDialog::BuildRow(int n, QGridLayout* grid, int gridRow) {
    Row& row = rows_.at(static_cast<std::size_t>(n - 1));
    const QString name = FromCp932(binding_.ButtonLabel(n)).trimmed();

    row.button = new QPushButton(FromCp932(binding_.ButtonLabel(n)));
    row.button->setAutoDefault(false);
    row.button->setStyleSheet(QStringLiteral("text-align: left; padding: 3px 10px 3px 4px;"));
    row.button->setToolTip(QStringLiteral("書体とサイズを選ぶ"));
    connect(row.button, &QPushButton::clicked, this, [this, n] { OnFontButton(n); });

    row.face = new QLabel;
    row.face->setMinimumWidth(120);
    row.face->setAccessibleName(name + QStringLiteral(" 書体"));

    row.size = new QComboBox;
    row.size->setEditable(true);
    row.size->setInsertPolicy(QComboBox::NoInsert);
    for (int points : FontSizeChoices()) {
        if (points <= binding_.SizeLimit(n)) {
            row.size->addItem(FromCp932(FontSizeListEntry(points)), points);
        }
    }
    row.size->setMinimumContentsLength(13);
    row.size->setAccessibleName(name + QStringLiteral(" サイズ"));
    connect(row.size, &QComboBox::activated, this, [this, n] { ApplySize(n); });

    row.colour = new QPushButton(QStringLiteral("■"));
    row.colour->setAutoDefault(false);
    row.colour->setFixedWidth(36);
    row.colour->setAccessibleName(name + QStringLiteral(" 色"));
    row.colour->setToolTip(QStringLiteral("文字の色を選ぶ"));
    connect(row.colour, &QPushButton::clicked, this, [this, n] { OnColourButton(n); });

    auto* usage = new QLabel(FromCp932(binding_.Usage(n)));
    usage->setWordWrap(true);
    usage->setMinimumWidth(360);

    grid->addWidget(row.button, gridRow, 0);
    grid->addWidget(row.face, gridRow, 1);
    grid->addWidget(row.size, gridRow, 2);
    grid->addWidget(row.colour, gridRow, 3);
    grid->addWidget(usage, gridRow, 4);
}

QPushButton* FontSettingsDialog::FontButton(int n) const {
    return RowOf(n).button;
}

QLabel* FontSettingsDialog::FaceLabel(int n) const {
    return RowOf(n).face;
}

QComboBox* FontSettingsDialog::SizeBox(int n) const {
    return RowOf(n).size;
}

QPushButton* FontSettingsDialog::ColourButton(int n) const {
    return RowOf(n).colour;
}

void FontSettingsDialog::ShowFont(int n) {
    const Row& row = RowOf(n);
    const FontSlot& font = binding_.Font(n);
    const QString face = FromCp932(font.face);
    row.face->setText(face);
    QFont shown = row.face->font();
    shown.setFamily(face);
    row.face->setFont(shown);

    const QString size = SizeText(font.size);
    const int index = row.size->findText(size);
    if (index >= 0) {
        row.size->setCurrentIndex(index);
    }
    row.size->setEditText(size);

    const QColor colour = ColorFromColorref(font.colour);
    row.colour->setStyleSheet(QStringLiteral("color: %1; font-size: 16px;").arg(colour.name()));
}

void FontSettingsDialog::ShowAll() {
    for (int n = 1; n <= binding_.FontCount(); ++n) {
        ShowFont(n);
    }
}

bool FontSettingsDialog::ApplySize(int n) {
    const Row& row = RowOf(n);
    const FontSlot& font = binding_.Font(n);
    const QString typed = row.size->currentText();
    if (typed == SizeText(font.size)) {
        return true;
    }
    // The list entries start with the point size; a typed number is taken the same way.
    const std::optional<std::string> text = Utf8ToCp932(typed.toStdString());
    const double size = text ? ParseDecimal(*text) : 0.0;
    const std::string face = font.face;
    if (!binding_.ChooseFont(n, size, face, messages_)) {
        ShowFont(n);
        row.size->setFocus();
        return false;
    }
    ShowFont(n);
    return true;
}

void FontSettingsDialog::OnFontButton(int n) {
    const FontSlot& font = binding_.Font(n);
    QFont current(FromCp932(font.face));
    current.setPointSizeF(font.size > 0 ? font.size : 9.0);
    const std::optional<QFont> chosen =
        ChooseSystemFont(current, FromCp932(binding_.ButtonLabel(n)).trimmed());
    if (!chosen) {
        return;
    }
    const std::optional<std::string> face = Utf8ToCp932(chosen->family().toStdString());
    if (!face) {
        messages_.Show(UnusableFaceMessage());
        return;
    }
    const double size = chosen->pointSizeF() > 0 ? chosen->pointSizeF() : font.size;
    binding_.ChooseFont(n, size, *face, messages_);
    ShowFont(n);
}

void FontSettingsDialog::OnColourButton(int n) {
    const std::optional<QColor> chosen = ChooseSystemColour(ColorFromColorref(binding_.Font(n).colour),
                                                            FromCp932(binding_.ButtonLabel(n)).trimmed());
    if (chosen && chosen->isValid()) {
        binding_.ChooseColour(n, ColorrefFromColor(*chosen));
        ShowFont(n);
    }
}

void FontSettingsDialog::accept() {
    for (int n = 1; n <= binding_.FontCount(); ++n) {
        if (!ApplySize(n)) {
            return;
        }
    }
    saved_ = binding_.Save(messages_);
    QDialog::accept();
}

std::optional<QFont> FontSettingsDialog::ChooseSystemFont(const QFont& current, const QString& title) {
    bool ok = false;
    const QFont font = QFontDialog::getFont(&ok, current, this, title);
    if (!ok) {
        return std::nullopt;
    }
    return font;
}

std::optional<QColor> FontSettingsDialog::ChooseSystemColour(const QColor& current, const QString& title) {
    const QColor colour = QColorDialog::getColor(current, this, title);
    if (!colour.isValid()) {
        return std::nullopt;
    }
    return colour;
}

}  // namespace rave::platform
