// The pattern settings dialog ("柱状図模様/パターンファイル"): how the pattern cells are drawn (line
// patterns or bitmap tiles), colour or monochrome, the pattern line width and colour, the
// mixed-soil marking, and the soil-name master file and bitmap folders. It edits a
// PatternSettings; the caller stores it into "Sysq.ndx".
#pragma once

#include <QColor>
#include <QDialog>
#include <array>
#include <filesystem>
#include <optional>

#include "common/messages.h"
#include "ravesect/settings/pattern_settings.h"

class QCheckBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace ravesect::app {

class PatternSettingsDialog : public QDialog {
    Q_OBJECT
public:
    PatternSettingsDialog(std::filesystem::path installFolder, const PatternSettings& settings,
                          rave::MessageSink& messages, QWidget* parent = nullptr);

    const PatternSettings& Values() const { return values_; }

    QRadioButton* DrawingButton(PatternDrawing drawing) const;
    QRadioButton* MonochromeButton() const { return monochrome_; }
    QLineEdit* LineWidthBox() const { return lineWidth_; }
    QLineEdit* LineColourBox() const { return lineColour_; }
    QCheckBox* MixedMarkingBox() const { return mixedMarking_; }
    QLineEdit* MasterFileBox() const { return masterFile_; }
    QLineEdit* JacicFolderBox() const { return jacicFolder_; }
    QLineEdit* SimpleFolderBox() const { return simpleFolder_; }
    QPushButton* StandardButton() const { return standardButton_; }

    void accept() override;

protected:
    // The system choosers, kept apart so tests can answer them. Nothing when cancelled.
    virtual std::optional<QString> ChooseFile(const QString& current);
    virtual std::optional<QString> ChooseFolder(const QString& current);
    virtual std::optional<QColor> ChooseColour(const QColor& current);

private:
    void ShowValues();
    bool CollectValues();
    QWidget* PathRow(QLineEdit* box, bool folder);

    std::filesystem::path installFolder_;
    rave::MessageSink& messages_;
    PatternSettings values_;
    std::array<QRadioButton*, 4> drawing_{};
    QRadioButton* colour_ = nullptr;
    QRadioButton* monochrome_ = nullptr;
    QLineEdit* lineWidth_ = nullptr;
    QLineEdit* lineColour_ = nullptr;
    QCheckBox* mixedMarking_ = nullptr;
    QLineEdit* masterFile_ = nullptr;
    QLineEdit* jacicFolder_ = nullptr;
    QLineEdit* simpleFolder_ = nullptr;
    QPushButton* standardButton_ = nullptr;
};

}  // namespace ravesect::app
