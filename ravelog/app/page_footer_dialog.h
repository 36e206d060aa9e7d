// The dialog "ページ フッタ": the page-number line of each format (text before, first page,
// text after, with a sample) and where it stands on the paper, bound to PageFooterEditor. The
// fields are named "prefix1".."suffix3", "startPage1".., "sample1"..; the positions "yFromTop",
// "yBelowLine", "xFromLeft", "xCentre".
#pragma once

#include <QDialog>
#include <array>

#include "common/messages.h"
#include "ravelog/app/data_dialog_support.h"
#include "ravelog/report/page_footer_editor.h"

class QButtonGroup;
class QComboBox;
class QLabel;
class QLineEdit;

namespace ravelog::app {

class MainFrame;

class PageFooterDialog : public QDialog {
    Q_OBJECT
public:
    PageFooterDialog(SoundingDocument& document, PaperSize paper, rave::MessageSink& messages,
                     QWidget* parent = nullptr);

    // Writes the footer into the document (after the warning about a footer off the paper).
    void accept() override;

protected:
    // Prefix, start page and suffix refresh their sample (and the prefix its rules) when they
    // lose the focus.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct FormatRowWidgets {
        QComboBox* prefix = nullptr;
        QLineEdit* startPage = nullptr;
        QComboBox* suffix = nullptr;
        QLabel* sample = nullptr;
    };

    // Widgets into the model; false (after the message) when a text cannot be stored. `quiet`
    // skips such a text without a message (for focus events).
    bool Pull(bool quiet);
    void Push();
    void UpdateEnabled();
    int FormatOf(QObject* watched) const;

    SoundingDocument& document_;
    rave::MessageSink& messages_;
    PageFooterEditor model_;
    std::array<FormatRowWidgets, 3> rows_;
    QButtonGroup* vertical_ = nullptr;
    QButtonGroup* horizontal_ = nullptr;
    QLineEdit* yFromTop_ = nullptr;
    QLineEdit* yBelowLine_ = nullptr;
    QLineEdit* xFromLeft_ = nullptr;
    QLineEdit* xCentre_ = nullptr;
};

// ページ: the paper is read again, the dialog runs over the main window's document; OK is one
// undoable step; the view is redrawn whether it was confirmed or not.
void EditPageFooter(MainFrame& frame, const DialogRunner& run = ExecDialog);

}  // namespace ravelog::app
