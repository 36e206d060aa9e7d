// The file menu's report command.
#include "site/app/site_report_command.h"

#include <QAction>
#include <QEvent>
#include <QMenu>
#include <QPointer>

#include "common/path_text.h"
#include "ravelog/app/main_frame.h"

namespace site::app {

namespace {

// Closing the main window closes the report window first, with its own question about unsaved
// changes; when that is cancelled the main window stays open too.
class CloseReportFirst : public QObject {
public:
    CloseReportFirst(QObject* parent, std::shared_ptr<QPointer<SiteReportWindow>> window)
        : QObject(parent), window_(std::move(window)) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Close && *window_ && (*window_)->isVisible() && !(*window_)->close()) {
            event->ignore();
            return true;
        }
        return QObject::eventFilter(watched, event);
    }

private:
    std::shared_ptr<QPointer<SiteReportWindow>> window_;
};

}  // namespace

QAction* InstallSiteReportCommand(ravelog::app::MainFrame& frame, SiteWindowServices services) {
    auto* action = new QAction(QStringLiteral("報告書(&R)..."), &frame);
    action->setData(kSiteReportCommand);
    action->setStatusTip(
        QStringLiteral("複数の測点の柱状図、調査位置図、告示の検討と考察を地盤調査報告書にまとめる"));
    action->setToolTip(QStringLiteral("報告書"));
    QMenu* fileMenu = frame.Menu(QStringLiteral("fileMenu"));
    QAction* exportPages = frame.Action(ravelog::app::command_id::kExportPages);
    const QList<QAction*> actions = fileMenu->actions();
    const qsizetype at = actions.indexOf(exportPages);
    fileMenu->insertAction(at >= 0 && at + 1 < actions.size() ? actions.at(at + 1) : nullptr, action);

    auto window = std::make_shared<QPointer<SiteReportWindow>>();
    QObject::connect(action, &QAction::triggered, &frame, [&frame, services, window] {
        if (!*window) {
            *window = new SiteReportWindow(frame.InstallFolder(), services, nullptr, &frame);
            (*window)->setAttribute(Qt::WA_DeleteOnClose);
            (*window)->OfferCurrentDocument(rave::PathFromUtf8(frame.Document().pathName));
            (*window)->show();
            (*window)->OfferRecoveries();
        }
        (*window)->show();
        (*window)->raise();
        (*window)->activateWindow();
    });
    frame.installEventFilter(new CloseReportFirst(&frame, window));
    return action;
}

}  // namespace site::app
