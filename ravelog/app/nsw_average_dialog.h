// The calculator "Nsw平均値と長期許容支持力qa~": the document's qa formula shown read-only, the
// rows of the sounding, a depth range and the Nsw average, qa~ and number of rows used, bound to
// NswAverageCalculator, and the self-sinking layer check below a footing depth the user types
// (remembered while the program runs). It only shows results; OK and ｷｬﾝｾﾙ both close it.
#pragma once

#include <QDialog>

#include "common/messages.h"
#include "common/ravelog_settings.h"
#include "ravelog/app/data_dialog_support.h"
#include "ravelog/conversion/nsw_average.h"

class QLabel;
class QLineEdit;
class QTableWidget;

namespace ravelog::app {

class MainFrame;

class NswAverageDialog : public QDialog {
    Q_OBJECT
public:
    NswAverageDialog(SoundingDocument& document, const rave::RavelogSettings& settings,
                     rave::MessageSink& messages, QWidget* parent = nullptr);

    QLineEdit* RangeStart() const { return start_; }
    QLineEdit* RangeEnd() const { return end_; }
    QTableWidget* List() const { return list_; }
    // "計算".
    void Calculate();
    // "判定": the self-sinking layers below the typed footing depth; an empty averaging range
    // becomes footing depth .. footing depth + 2 m.
    void JudgeSelfSinking();

protected:
    // Remembers which range field had the focus last, for clicks on the list.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* FormulaPanel();
    QWidget* SelfSinkingPanel();
    void FillList();
    void ClickRow(int listRow);
    // The range fields into the calculator; false (after the message) when one cannot be stored.
    bool PullRange();

    const SoundingDocument& document_;
    rave::MessageSink& messages_;
    NswAverageCalculator calculator_;
    QLineEdit* start_ = nullptr;
    QLineEdit* end_ = nullptr;
    QLineEdit* average_ = nullptr;
    QLineEdit* qa_ = nullptr;
    QLineEdit* count_ = nullptr;
    QTableWidget* list_ = nullptr;
    QLineEdit* footing_ = nullptr;
    QLabel* judgement_ = nullptr;
};

// The footing depth typed last in the running program (the calculator offers it again); tests
// start from an empty one.
void ForgetFootingDepth();

// Nsw- 長期qa: the calculator over the main window's document; the view is redrawn afterwards.
void ShowNswAverage(MainFrame& frame, const DialogRunner& run = ExecDialog);

}  // namespace ravelog::app
