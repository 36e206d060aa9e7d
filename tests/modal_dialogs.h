// Answers the next modal dialog of a test. The check repeats from the event loop until the dialog
// is shown, so it works whether the loop first runs inside the dialog's own loop or before it (on
// Windows a queued call may run while the dialog is still being made, and then finds nothing). A
// modal window of another kind is closed after a few seconds: the test fails, never hangs. The
// answer ends with the object, so it can never reach a dialog of a later test.
#pragma once

#include <QApplication>
#include <QTimer>
#include <QWidget>
#include <chrono>
#include <functional>
#include <memory>

namespace rave::testing {

class ModalAnswer {
public:
    template <class D>
    static ModalAnswer When(std::function<void(D&)> work,
                            std::chrono::milliseconds patience = std::chrono::milliseconds(5000)) {
        ModalAnswer answer;
        QTimer* timer = answer.timer_.get();
        const auto giveUp = std::chrono::steady_clock::now() + patience;
        QObject::connect(timer, &QTimer::timeout, timer, [timer, work, giveUp] {
            QWidget* modal = QApplication::activeModalWidget();
            if (auto* dialog = qobject_cast<D*>(modal); dialog != nullptr && dialog->isVisible()) {
                timer->stop();
                work(*dialog);
            } else if (modal != nullptr && std::chrono::steady_clock::now() > giveUp) {
                timer->stop();
                modal->close();
            }
        });
        timer->start(5);
        return answer;
    }

private:
    ModalAnswer() : timer_(std::make_unique<QTimer>()) {}
    std::unique_ptr<QTimer> timer_;
};

// Calls `work` with the next modal dialog of type D once it is shown.
template <class D>
[[nodiscard]] ModalAnswer WhenModalOpens(std::function<void(D&)> work) {
    return ModalAnswer::When<D>(std::move(work));
}

}  // namespace rave::testing
