// The report window's cover and conditions: 件名, 調査場所, 依頼者, 調査会社, 報告日, 担当者, the
// footing depth, the design contact pressure, the sheet format, the columns page's tops and the
// section file. The fields
// are the text being typed; Store takes them into the report (refusing, with a message naming
// the field, text the report file cannot hold and numbers that are none).
#pragma once

#include <QWidget>
#include <filesystem>
#include <functional>

#include "common/messages.h"
#include "site/site_report.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;

namespace site::app {

class SiteFieldsEditor : public QWidget {
    Q_OBJECT
public:
    explicit SiteFieldsEditor(QWidget* parent = nullptr);

    // Shows the report's values.
    void Load(const SiteReport& report);
    // Takes the fields into `report`. False (after saying why, the field focused) when one cannot
    // be taken; the fields before it are taken.
    bool Store(SiteReport& report, rave::MessageSink& messages);

    QLineEdit* Field(int index) const { return cover_[index]; }  // the cover's six, in order
    QLineEdit* FootingDepth() const { return footingDepth_; }
    QLineEdit* ContactPressure() const { return contactPressure_; }
    QComboBox* SheetFormat() const { return format_; }
    QLineEdit* Section() const { return section_; }
    QCheckBox* ColumnsAtElevation() const { return atElevation_; }

Q_SIGNALS:
    void Edited();
    // 参照... of the section: the window chooses the file and sets it with Section()->setText.
    void ChooseSectionRequested();

private:
    QLineEdit* cover_[6] = {};
    QLineEdit* footingDepth_ = nullptr;
    QLineEdit* contactPressure_ = nullptr;
    QComboBox* format_ = nullptr;
    QLineEdit* section_ = nullptr;
    QCheckBox* atElevation_ = nullptr;
};

}  // namespace site::app
