// The scale dialog ("縮尺/標尺"): the two scales, the paper and the page lengths it gives, the
// elevation ruler, and the page window in depth and distance. Values outside their ranges are
// refused before OK (ReadScaleFields); the corrections of OK (ScaleDialogLoop) keep the dialog
// open with the corrected values, at most 9 times.
#pragma once

#include <QDialog>
#include <optional>

#include "common/messages.h"
#include "ravesect/document/section_document.h"
#include "ravesect/settings/scale_dialog_model.h"
#include "ravesect/settings/section_paper.h"
#include "ravesect/settings/sysq_settings.h"

class QDialogButtonBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace ravesect::app {

class ScaleSettingsDialog : public QDialog {
    Q_OBJECT
public:
    ScaleSettingsDialog(const SectionDocument& document, const SectionPaper& paper, const SysqSettings& sysq,
                        rave::MessageSink& messages, QWidget* parent = nullptr);

    // After the dialog closed: kAccepted (write the settings line), kGaveUp (the values stay
    // taken over but are not written) or kCancelled.
    ScaleDialogResult Result() const { return result_; }
    const SectionSettings& Settings() const { return loop_.Values(); }

    QLineEdit* Field(ScaleField field) const;
    QLineEdit* PaperHeightBox() const { return paperHeight_; }
    QLineEdit* PaperWidthBox() const { return paperWidth_; }
    QLineEdit* DepthMetresBox() const { return depthMetres_; }
    QLineEdit* DistanceMetresBox() const { return distanceMetres_; }
    QLineEdit* BottomElevationBox() const { return bottomElevation_; }
    QPushButton* StandardButton() const { return standardButton_; }

    void accept() override;

private:
    QLabel* Label(const QString& text, QWidget* field);
    QLabel* Unit(const QString& text);
    QWidget* BuildScaleGroup();
    QWidget* BuildPaperGroup();
    QWidget* BuildRulerGroup();
    void BuildPageGroups(QWidget*& depthGroup, QWidget*& distanceGroup);
    QDialogButtonBox* BuildButtons();
    // The shown page lengths and bottom elevation follow the fields; the tab order.
    void ConnectFields(QDialogButtonBox* buttons);
    void ShowSettings();
    // The paper boxes, then every field checked against its range in the order of the dialog
    // (ReadScaleFields); nothing after the message of the first that fails (it then has the
    // focus).
    std::optional<SectionSettings> CollectChecked();
    ScaleFieldTexts FieldTexts() const;
    // The fields as far as they read as numbers, without messages (for the shown values).
    void CollectLenient(SectionSettings& settings, SectionPaper& paper) const;
    void ShowPageLengths();
    void ShowBottomElevation();
    void ApplyStandard();

    const SectionDocument& document_;
    const SysqSettings& sysq_;
    rave::MessageSink& messages_;
    ScaleDialogLoop loop_;
    SectionPaper paper_;
    ScaleDialogResult result_ = ScaleDialogResult::kCancelled;

    QLineEdit* fields_[static_cast<int>(ScaleField::kPageOverlapDistance) + 1] = {};
    QLineEdit* paperHeight_ = nullptr;
    QLineEdit* paperWidth_ = nullptr;
    QLineEdit* depthMetres_ = nullptr;
    QLineEdit* distanceMetres_ = nullptr;
    QLineEdit* bottomElevation_ = nullptr;
    QPushButton* standardButton_ = nullptr;
};

}  // namespace ravesect::app
