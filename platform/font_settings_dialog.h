// The font dialog ("フォント") that both programs share. One row per font file: the font's button
// (opens the system font chooser), the face, the size list (" %2d     (%.1f)", editable), the
// colour swatch "■" (opens the colour chooser) and what the font is used for; "標準例", OK and
// Cancel. The dialog holds no rule of its own: it asks a FontDialogBinding.
//
// How a program binds its fonts: implement FontDialogBinding over its Qt-free font model (Ravelog:
// RavelogFontBinding below, over rave::FontDialogModel and "Font1.ndx".."Font5.ndx"; Ravesect: a
// binding over ravesect::SectionFonts with DefaultSectionFont, SectionFontSizeLimit and
// SaveSectionFonts for "Fntq1.ndx".."Fntq7.ndx"), then
//
//     RavelogFontBinding binding(files.fonts, installFolder);
//     FontSettingsDialog dialog(binding, messages, window);
//     if (dialog.exec() == QDialog::Accepted) { /* binding.Fonts() are the new fonts; redraw */ }
//
// On OK the dialog calls Save() once. When Save() fails (its message shown) the dialog still
// closes with Accepted and Saved() is false: the caller keeps the values in memory for this run.
// Cancel calls nothing that writes.
#pragma once

#include <QColor>
#include <QDialog>
#include <QFont>
#include <QString>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "common/font_settings.h"
#include "common/messages.h"
#include "common/settings_font_dialog.h"

class QComboBox;
class QGridLayout;
class QLabel;
class QPushButton;

namespace rave::platform {

// What the font dialog edits, without Qt. Fonts are numbered 1..FontCount(); texts are cp932.
class FontDialogBinding {
public:
    virtual ~FontDialogBinding() = default;

    virtual int FontCount() const = 0;
    // The font's button text (such as "　タイトル") and what the font is used for.
    virtual std::string ButtonLabel(int n) const = 0;
    virtual std::string Usage(int n) const = 0;
    // The largest size font n accepts, in points (every size must be above 1). The size list
    // offers the standard sizes up to it.
    virtual double SizeLimit(int n) const = 0;
    virtual const FontSlot& Font(int n) const = 0;

    // A face and size the user chose. False, after the model's message, when refused; the font
    // is then unchanged.
    virtual bool ChooseFont(int n, double size, const std::string& face, MessageSink& messages) = 0;
    // A colour 0x00BBGGRR.
    virtual void ChooseColour(int n, long colour) = 0;
    // "標準例": every font back to its defaults.
    virtual void RestoreStandard() = 0;
    // OK: writes every font file. False, after the message, when a file could not be written.
    virtual bool Save(MessageSink& messages) = 0;
};

// Ravelog's five report fonts, edited through rave::FontDialogModel and saved into
// "Font1.ndx".."Font5.ndx" of `installFolder`.
class RavelogFontBinding : public FontDialogBinding {
public:
    RavelogFontBinding(const RavelogFonts& fonts, std::filesystem::path installFolder);

    int FontCount() const override;
    std::string ButtonLabel(int n) const override;
    std::string Usage(int n) const override;
    double SizeLimit(int n) const override;
    const FontSlot& Font(int n) const override;
    bool ChooseFont(int n, double size, const std::string& face, MessageSink& messages) override;
    void ChooseColour(int n, long colour) override;
    void RestoreStandard() override;
    bool Save(MessageSink& messages) override;

    const RavelogFonts& Fonts() const { return model_.Fonts(); }

private:
    FontDialogModel model_;
    std::filesystem::path installFolder_;
};

// 0x00BBGGRR <-> QColor.
QColor ColorFromColorref(long colour);
long ColorrefFromColor(const QColor& color);

class FontSettingsDialog : public QDialog {
    Q_OBJECT
public:
    FontSettingsDialog(FontDialogBinding& binding, MessageSink& messages, QWidget* parent = nullptr);

    // The widgets of font n's row, for tests.
    QPushButton* FontButton(int n) const;
    QLabel* FaceLabel(int n) const;
    QComboBox* SizeBox(int n) const;
    QPushButton* ColourButton(int n) const;
    QPushButton* StandardButton() const { return standardButton_; }

    // After OK: true when every font file was written.
    bool Saved() const { return saved_; }

    void accept() override;

protected:
    // The system choosers, kept apart so tests can answer them. Nothing when cancelled.
    virtual std::optional<QFont> ChooseSystemFont(const QFont& current, const QString& title);
    virtual std::optional<QColor> ChooseSystemColour(const QColor& current, const QString& title);

private:
    struct Row {
        QPushButton* button = nullptr;
        QLabel* face = nullptr;
        QComboBox* size = nullptr;
        QPushButton* colour = nullptr;
    };

    void BuildRow(int n, QGridLayout* grid, int gridRow);
    void ShowFont(int n);
    void ShowAll();
    void OnFontButton(int n);
    void OnColourButton(int n);
    // The typed or chosen size of font n's list; false after the refusal message (the list then
    // shows the font's size again).
    bool ApplySize(int n);
    const Row& RowOf(int n) const { return rows_.at(static_cast<std::size_t>(n - 1)); }

    FontDialogBinding& binding_;
    MessageSink& messages_;
    std::vector<Row> rows_;
    QPushButton* standardButton_ = nullptr;
    bool saved_ = false;
};

}  // namespace rave::platform
