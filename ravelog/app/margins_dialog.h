// The margins dialog ("設定 > マージン", menu "マージン(&M)"): the top and left margins of the sheet
// and the title-row positions of the formats, bound to ravelog::MarginsEditor. OK stores them,
// rewrites "Sys.ndx" and redraws the sheet.
#pragma once

#include <QDialog>

#include "ravelog/report/page_footer_editor.h"

class QLineEdit;

namespace ravelog::app {

class MainFrame;

class MarginsDialog : public QDialog {
    Q_OBJECT
public:
    explicit MarginsDialog(MainFrame& frame, QWidget* parent = nullptr);

    QLineEdit* TopField() const { return top_; }
    QLineEdit* LeftField() const { return left_; }
    QLineEdit* TitleRow12Field() const { return titleRow12_; }
    QLineEdit* TitleRow3Field() const { return titleRow3_; }

    void ApplyStandard();

public Q_SLOTS:
    void accept() override;

private:
    void ShowModel();

    MainFrame& frame_;
    MarginsEditor model_;
    QLineEdit* top_ = nullptr;
    QLineEdit* left_ = nullptr;
    QLineEdit* titleRow12_ = nullptr;
    QLineEdit* titleRow3_ = nullptr;
};

}  // namespace ravelog::app
