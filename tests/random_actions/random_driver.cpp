#include "random_driver.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFontDialog>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QTest>
#include <QTextEdit>
#include <QTimer>
#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <random>

#include "common/path_text.h"
#include "settings_sandbox.h"

namespace rave::random_actions {

namespace {

std::string ObjectName(const QWidget& widget) {
    QString name = widget.objectName();
    if (name.isEmpty()) {
        name = widget.accessibleName();
    }
    if (name.isEmpty()) {
        name = widget.windowTitle();
    }
    return std::string(widget.metaObject()->className()) +
           (name.isEmpty() ? "" : " '" + name.toStdString() + "'");
}

// The widgets of `dialog` a user could change now.
template <typename T>
std::vector<T*> Usable(QWidget& dialog) {
    std::vector<T*> found;
    for (T* widget : dialog.findChildren<T*>()) {
        if (widget->isVisibleTo(&dialog) && widget->isEnabled()) {
            found.push_back(widget);
        }
    }
    return found;
}

bool IsHelpWindow(const QWidget& dialog) {
    // Its editor button hands the help file to the desktop's text viewer, another program.
    return QString::fromLatin1(dialog.metaObject()->className()).contains(QStringLiteral("HelpDialog"));
}

}  // namespace

RunLimits LimitsFromEnvironment(RunLimits defaults) {
    if (const char* seed = std::getenv("RAVE_RANDOM_SEED")) {
        defaults.seed = std::strtoull(seed, nullptr, 10);
    }
    if (const char* actions = std::getenv("RAVE_RANDOM_ACTIONS")) {
        defaults.actions = std::atoi(actions);
    }
    if (const char* seconds = std::getenv("RAVE_RANDOM_SECONDS")) {
        defaults.seconds = std::atof(seconds);
    }
    return defaults;
}

int Random::Below(int count) {
    if (count <= 1) {
        return 0;
    }
    return static_cast<int>(engine_() % static_cast<std::uint64_t>(count));
}

bool Random::Chance(double probability) {
    return static_cast<double>(engine_() % 1000000) < probability * 1000000.0;
}

int Random::Weighted(const std::vector<int>& weights) {
    int total = 0;
    for (int weight : weights) {
        total += weight;
    }
    int left = Below(total);
    for (std::size_t i = 0; i < weights.size(); ++i) {
        if (left < weights[i]) {
            return static_cast<int>(i);
        }
        left -= weights[i];
    }
    return static_cast<int>(weights.size()) - 1;
}

QString Random::Text() {
    static const std::vector<QString> fixed = {QString(),
                                               QStringLiteral(" "),
                                               QStringLiteral("0"),
                                               QStringLiteral("-1"),
                                               QStringLiteral("1.5"),
                                               QStringLiteral("1,5"),
                                               QStringLiteral("0x10"),
                                               QStringLiteral("1e308"),
                                               QStringLiteral("-0.00"),
                                               QStringLiteral("99999999999"),
                                               QStringLiteral("nan"),
                                               QStringLiteral(" 3 "),
                                               QStringLiteral("12.345.6"),
                                               QStringLiteral("砂質シルト"),
                                               QStringLiteral("ｼﾙﾄ混り砂"),
                                               QStringLiteral("粘土"),
                                               QStringLiteral("礫"),
                                               QStringLiteral("$$Z"),
                                               QStringLiteral("$x"),
                                               QStringLiteral("a,b"),
                                               QStringLiteral("\"q\""),
                                               QStringLiteral("%s%n%d"),
                                               QStringLiteral("a\nb"),
                                               QStringLiteral("a\r\nb"),
                                               QStringLiteral("\t"),
                                               QStringLiteral("😀"),
                                               QStringLiteral("髙﨑"),
                                               QStringLiteral("①Ⅱ"),
                                               QStringLiteral("～－"),
                                               QStringLiteral("C:\\Kelvard\\x.sdw"),
                                               QStringLiteral("../x"),
                                               QStringLiteral("３．５")};
    switch (Below(5)) {
        case 0:
            return Pick(fixed);
        case 1:
            return QString::number(Below(2001) - 1000);
        case 2:
            return QString::number((Below(200001) - 100000) / 100.0, 'f', Below(4));
        case 3: {
            // Long text: past every field's limit.
            const QString unit = Chance(0.5) ? QStringLiteral("x") : QStringLiteral("あ");
            return unit.repeated(1 + Below(Chance(0.2) ? 600 : 60));
        }
        default:
            return Pick(fixed) + QString::number(Below(100)) + Pick(fixed);
    }
}

ActionLog::ActionLog(const std::filesystem::path& file, const std::string& header) : file_(file) {
    std::filesystem::create_directories(file.parent_path());
    out_.open(file, std::ios::trunc);
    out_ << header << '\n' << std::flush;
    std::cerr << header << "\n  action list: " << file.string() << '\n';
}

void ActionLog::Add(const std::string& line) {
    ++lines_;
    out_ << lines_ << ' ' << line << '\n' << std::flush;
    recent_.push_back(std::to_string(lines_) + ' ' + line);
    if (recent_.size() > 30) {
        recent_.erase(recent_.begin());
    }
}

std::string ActionLog::Tail() const {
    std::string all = "last actions (" + file_.string() + "):\n";
    for (const std::string& line : recent_) {
        all += "  " + line + '\n';
    }
    return all;
}

std::string Quoted(const QString& text) {
    std::string out = "\"";
    const QString shown = text.size() > 40 ? text.left(20) + QStringLiteral("…(%1)").arg(text.size()) : text;
    for (const char c : shown.toStdString()) {
        if (c == '\n') {
            out += "\\n";
        } else if (c == '\r') {
            out += "\\r";
        } else if (c == '\t') {
            out += "\\t";
        } else {
            out += c;
        }
    }
    return out + '"';
}

void RandomMessageSink::Show(const Message& message) {
    ++shown;
    log_.Add("  message " + std::to_string(message.id));
}

bool RandomMessageSink::AskYesNo(const Message& question) {
    const bool yes = random_.Chance(0.5);
    log_.Add("  question " + std::to_string(question.id) + (yes ? " yes" : " no"));
    return yes;
}

DialogAnswerer::DialogAnswerer(Random& random, ActionLog& log,
                               std::function<std::vector<std::filesystem::path>()> files)
    : random_(random), log_(log), files_(std::move(files)), timer_(new QTimer(this)) {
    connect(timer_, &QTimer::timeout, this, &DialogAnswerer::Tick);
    timer_->start(2);
}

DialogAnswerer::~DialogAnswerer() = default;

void DialogAnswerer::Later(QWidget& target, std::function<void()> work) {
    // Queued on the answerer itself, so the flag is cleared even when the target went away.
    pending_ = true;
    QMetaObject::invokeMethod(
        this,
        [this, guard = QPointer<QWidget>(&target), work = std::move(work)] {
            pending_ = false;
            if (guard) {
                work();
            }
        },
        Qt::QueuedConnection);
}

void DialogAnswerer::Tick() {
    if (pending_) {
        return;
    }
    if (QWidget* popup = QApplication::activePopupWidget()) {
        log_.Add("  popup closed");
        Later(*popup, [popup] { popup->close(); });
        return;
    }
    QWidget* modal = QApplication::activeModalWidget();
    if (modal == nullptr) {
        return;
    }
    Step(*modal, true);
}

void DialogAnswerer::StepModeless(QDialog& dialog) {
    Step(dialog, false);
    // A modeless step runs from the driver, not from an event loop: let it run now.
    for (int i = 0; i < 1000 && pending_; ++i) {
        QCoreApplication::processEvents();
    }
}

void DialogAnswerer::Step(QWidget& dialog, bool modal) {
    Seen& seen = seen_[&dialog];
    if (seen.ticks++ == 0) {
        seen.plannedSteps = random_.Below(modal ? 8 : 3);
        log_.Add(std::string(modal ? "  dialog " : "  modeless ") + ObjectName(dialog));
        ++answered_;
        // Forget dialogs that are gone (their addresses may come back).
        QPointer<QWidget> guard(&dialog);
        connect(&dialog, &QObject::destroyed, this, [this, key = &dialog] { seen_.erase(key); });
        if (auto* asDialog = qobject_cast<QDialog*>(&dialog)) {
            connect(asDialog, &QDialog::finished, this, [this, key = &dialog] { seen_.erase(key); });
        }
    }
    if (AnswerSpecial(dialog)) {
        return;
    }
    if (!modal) {
        // One thing per call on a modeless dialog.
        if (random_.Chance(0.15)) {
            Close(dialog, 0);
        } else {
            FillOneField(dialog);
        }
        return;
    }
    if (seen.ticks <= seen.plannedSteps) {
        FillOneField(dialog);
        return;
    }
    Close(dialog, seen.closeAttempts++);
}

bool DialogAnswerer::AnswerSpecial(QWidget& dialog) {
    if (auto* box = qobject_cast<QMessageBox*>(&dialog)) {
        const QList<QAbstractButton*> buttons = box->buttons();
        if (buttons.isEmpty()) {
            Later(*box, [box] { box->reject(); });
            return true;
        }
        QAbstractButton* button = buttons.at(random_.Below(static_cast<int>(buttons.size())));
        log_.Add("    button " + Quoted(button->text()));
        QPointer<QAbstractButton> guard(button);
        Later(*box, [guard] {
            if (guard) {
                guard->click();
            }
        });
        return true;
    }
    if (qobject_cast<QAbstractPrintDialog*>(&dialog) != nullptr ||
        qobject_cast<QPrintPreviewDialog*>(&dialog) != nullptr) {
        // The preview has drawn its pages by the time this runs; a real printer is never used.
        log_.Add("    print dialog cancelled");
        auto* asDialog = static_cast<QDialog*>(&dialog);
        Later(dialog, [asDialog] { asDialog->reject(); });
        return true;
    }
    if (auto* chooser = qobject_cast<QFileDialog*>(&dialog)) {
        const std::vector<std::filesystem::path> files = files_();
        if (files.empty() || random_.Chance(0.4)) {
            log_.Add("    file chooser cancelled");
            Later(*chooser, [chooser] { chooser->reject(); });
        } else {
            const std::filesystem::path file = random_.Pick(files);
            log_.Add("    file chooser: " + file.filename().string());
            Later(*chooser, [chooser, file] {
                chooser->selectFile(QString::fromStdString(file.string()));
                static_cast<QDialog*>(chooser)->accept();  // QFileDialog hides it
            });
        }
        return true;
    }
    if (qobject_cast<QColorDialog*>(&dialog) != nullptr || qobject_cast<QFontDialog*>(&dialog) != nullptr) {
        const bool accept = random_.Chance(0.5);
        log_.Add(accept ? "    toolkit dialog accepted" : "    toolkit dialog cancelled");
        if (auto* colour = qobject_cast<QColorDialog*>(&dialog)) {
            colour->setCurrentColor(
                QColor::fromRgb(random_.Below(256), random_.Below(256), random_.Below(256)));
        }
        auto* asDialog = static_cast<QDialog*>(&dialog);
        Later(dialog, [asDialog, accept] { accept ? asDialog->accept() : asDialog->reject(); });
        return true;
    }
    return false;
}

void DialogAnswerer::FillOneField(QWidget& dialog) {
    ++filled_;
    const int kind = random_.Weighted({30, 12, 10, 8, 12, 6, 8});
    QPointer<QWidget> guard(&dialog);
    switch (kind) {
        case 0: {
            std::vector<QLineEdit*> edits;
            for (QLineEdit* edit : Usable<QLineEdit>(dialog)) {
                // The editors inside spin boxes and combo boxes are filled through them.
                if (!edit->isReadOnly() && qobject_cast<QAbstractSpinBox*>(edit->parentWidget()) == nullptr &&
                    qobject_cast<QComboBox*>(edit->parentWidget()) == nullptr) {
                    edits.push_back(edit);
                }
            }
            if (edits.empty()) {
                break;
            }
            QLineEdit* edit = random_.Pick(edits);
            const QString text = random_.Text();
            const bool typed = random_.Chance(0.5);
            const bool enter = random_.Chance(0.2);
            log_.Add("    field " + ObjectName(*edit) + " = " + Quoted(text) + (enter ? " Enter" : ""));
            QPointer<QLineEdit> field(edit);
            Later(dialog, [field, text, typed, enter] {
                if (!field) {
                    return;
                }
                field->setFocus();
                field->selectAll();
                if (typed) {
                    field->insert(text);  // as typed: the field's validator and limit apply
                } else {
                    field->setText(text);
                }
                if (enter && field) {
                    QTest::keyClick(field, Qt::Key_Return);
                }
            });
            return;
        }
        case 1: {
            const std::vector<QComboBox*> combos = Usable<QComboBox>(dialog);
            if (combos.empty()) {
                break;
            }
            QComboBox* combo = random_.Pick(combos);
            QPointer<QComboBox> field(combo);
            if (combo->isEditable() && random_.Chance(0.5)) {
                const QString text = random_.Text();
                log_.Add("    combo " + ObjectName(*combo) + " = " + Quoted(text));
                Later(dialog, [field, text] {
                    if (field) {
                        field->setEditText(text);
                    }
                });
            } else if (combo->count() > 0) {
                const int index = random_.Below(combo->count());
                log_.Add("    combo " + ObjectName(*combo) + " item " + std::to_string(index));
                Later(dialog, [field, index] {
                    if (field) {
                        field->setCurrentIndex(index);
                        Q_EMIT field->activated(index);
                    }
                });
            }
            return;
        }
        case 2: {
            const std::vector<QAbstractSpinBox*> spins = Usable<QAbstractSpinBox>(dialog);
            if (spins.empty()) {
                break;
            }
            QAbstractSpinBox* spin = random_.Pick(spins);
            const QString text =
                random_.Chance(0.7) ? QString::number(random_.Below(3000) - 500) : random_.Text();
            log_.Add("    spin " + ObjectName(*spin) + " = " + Quoted(text));
            QPointer<QAbstractSpinBox> field(spin);
            Later(dialog, [field, text] {
                if (!field) {
                    return;
                }
                field->setFocus();
                field->selectAll();
                // Typed as one key event carrying the text (QTest types ASCII only).
                QKeyEvent typed(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, text.left(12));
                QApplication::sendEvent(field, &typed);
                if (field) {
                    field->interpretText();
                }
            });
            return;
        }
        case 3: {
            std::vector<QAbstractButton*> toggles;
            for (QAbstractButton* button : Usable<QAbstractButton>(dialog)) {
                if (qobject_cast<QCheckBox*>(button) != nullptr ||
                    qobject_cast<QRadioButton*>(button) != nullptr) {
                    toggles.push_back(button);
                }
            }
            if (toggles.empty()) {
                break;
            }
            QAbstractButton* toggle = random_.Pick(toggles);
            log_.Add("    toggle " + Quoted(toggle->text()));
            QPointer<QAbstractButton> field(toggle);
            Later(dialog, [field] {
                if (field) {
                    field->click();
                }
            });
            return;
        }
        case 4: {
            const std::vector<QAbstractItemView*> views = Usable<QAbstractItemView>(dialog);
            if (views.empty()) {
                break;
            }
            QAbstractItemView* view = random_.Pick(views);
            QAbstractItemModel* model = view->model();
            if (model == nullptr || model->rowCount() == 0 || model->columnCount() == 0) {
                break;
            }
            const int row = random_.Below(model->rowCount());
            const int column = random_.Below(model->columnCount());
            const bool edit = random_.Chance(0.6);
            const QString text = random_.Text();
            log_.Add("    cell " + ObjectName(*view) + " [" + std::to_string(row) + "," +
                     std::to_string(column) + "]" + (edit ? " = " + Quoted(text) : " selected"));
            QPointer<QAbstractItemView> field(view);
            Later(dialog, [field, row, column, edit, text] {
                if (!field || field->model() == nullptr) {
                    return;
                }
                const QModelIndex index = field->model()->index(row, column);
                if (!index.isValid()) {
                    return;
                }
                field->setCurrentIndex(index);
                if (edit && (field->model()->flags(index) & Qt::ItemIsEditable)) {
                    field->model()->setData(index, text, Qt::EditRole);
                }
            });
            return;
        }
        case 5: {
            std::vector<QWidget*> texts;
            for (QPlainTextEdit* edit : Usable<QPlainTextEdit>(dialog)) {
                if (!edit->isReadOnly()) {
                    texts.push_back(edit);
                }
            }
            for (QTextEdit* edit : Usable<QTextEdit>(dialog)) {
                if (!edit->isReadOnly()) {
                    texts.push_back(edit);
                }
            }
            if (texts.empty()) {
                break;
            }
            QWidget* edit = random_.Pick(texts);
            const QString text = random_.Text() + QStringLiteral("\n") + random_.Text();
            log_.Add("    text " + ObjectName(*edit) + " = " + Quoted(text));
            QPointer<QWidget> field(edit);
            Later(dialog, [field, text] {
                if (auto* plain = qobject_cast<QPlainTextEdit*>(field)) {
                    plain->setPlainText(text);
                } else if (auto* rich = qobject_cast<QTextEdit*>(field)) {
                    rich->setPlainText(text);
                }
            });
            return;
        }
        default: {
            // A button of the dialog's own (add, delete, move, choose a file ...), not OK or Cancel.
            if (IsHelpWindow(dialog)) {
                break;
            }
            std::vector<QPushButton*> buttons;
            for (QPushButton* button : Usable<QPushButton>(dialog)) {
                auto* box = qobject_cast<QDialogButtonBox*>(button->parentWidget());
                if (box == nullptr || box->buttonRole(button) == QDialogButtonBox::ActionRole) {
                    buttons.push_back(button);
                }
            }
            if (buttons.empty()) {
                break;
            }
            QPushButton* button = random_.Pick(buttons);
            log_.Add("    press " + Quoted(button->text()));
            QPointer<QPushButton> field(button);
            Later(dialog, [field] {
                if (field) {
                    field->click();
                }
            });
            return;
        }
    }
    log_.Add("    (nothing to fill)");
}

void DialogAnswerer::Close(QWidget& dialog, int attempt) {
    auto* asDialog = qobject_cast<QDialog*>(&dialog);
    QPointer<QWidget> guard(&dialog);
    if (attempt >= 6 || (asDialog == nullptr && attempt >= 2)) {
        // It refuses every answer: what a user would do last.
        log_.Add("    rejected after " + std::to_string(attempt) + " tries");
        Later(dialog, [guard, asDialog] {
            if (guard && asDialog) {
                asDialog->reject();
            } else if (guard) {
                guard->close();
            }
        });
        return;
    }
    const int how = random_.Weighted({50, 25, 15, 10});
    if (how == 0 || how == 1) {
        QPushButton* button = nullptr;
        for (QDialogButtonBox* box : Usable<QDialogButtonBox>(dialog)) {
            for (QAbstractButton* candidate : box->buttons()) {
                const QDialogButtonBox::ButtonRole role = box->buttonRole(candidate);
                const bool wanted =
                    how == 0 ? (role == QDialogButtonBox::AcceptRole || role == QDialogButtonBox::YesRole ||
                                role == QDialogButtonBox::ApplyRole)
                             : (role == QDialogButtonBox::RejectRole || role == QDialogButtonBox::NoRole);
                if (wanted && candidate->isEnabled()) {
                    button = qobject_cast<QPushButton*>(candidate);
                }
            }
        }
        if (button == nullptr && how == 0) {
            for (QPushButton* candidate : Usable<QPushButton>(dialog)) {
                if (candidate->isDefault()) {
                    button = candidate;
                }
            }
        }
        if (button != nullptr) {
            log_.Add(std::string("    ") + (how == 0 ? "OK " : "Cancel ") + Quoted(button->text()));
            QPointer<QPushButton> pressed(button);
            Later(dialog, [pressed] {
                if (pressed) {
                    pressed->click();
                }
            });
            return;
        }
    }
    if (how == 3) {
        log_.Add("    window closed");
        Later(dialog, [guard] {
            if (guard) {
                guard->close();
            }
        });
        return;
    }
    log_.Add("    Escape");
    Later(dialog, [guard] {
        if (guard) {
            QTest::keyClick(guard, Qt::Key_Escape);
        }
    });
}

std::vector<QAction*> MenuActions(const QMainWindow& window) {
    std::vector<QAction*> found;
    std::function<void(const QList<QAction*>&)> walk = [&](const QList<QAction*>& actions) {
        for (QAction* action : actions) {
            if (action->isSeparator()) {
                continue;
            }
            if (QMenu* menu = action->menu()) {
                walk(menu->actions());
            } else {
                found.push_back(action);
            }
        }
    };
    walk(window.menuBar()->actions());
    return found;
}

std::string ActionName(const QAction& action) {
    QString text = action.text();
    text.remove(QLatin1Char('&'));
    return text.toStdString() + " (" + std::to_string(action.data().toInt()) + ")";
}

namespace {

QPoint RandomPoint(QWidget& view, Random& random) {
    return {random.Below(std::max(1, view.width())), random.Below(std::max(1, view.height()))};
}

void SendMouse(QWidget& view, QEvent::Type type, QPoint at, Qt::MouseButton button, Qt::MouseButtons held,
               Qt::KeyboardModifiers modifiers) {
    const QPointF local(at);
    QMouseEvent event(type, local, view.mapToGlobal(local), button, held, modifiers);
    QApplication::sendEvent(&view, &event);
}

}  // namespace

void MouseGesture(QWidget& view, Random& random, ActionLog& log) {
    QPointer<QWidget> guard(&view);
    const Qt::MouseButton button = random.Chance(0.8) ? Qt::LeftButton : Qt::RightButton;
    const Qt::KeyboardModifiers modifiers =
        random.Chance(0.8) ? Qt::NoModifier : (random.Chance(0.5) ? Qt::ShiftModifier : Qt::ControlModifier);
    QPoint at = RandomPoint(view, random);
    const int moves = random.Chance(0.4) ? 0 : 1 + random.Below(5);
    const bool doubleClick = random.Chance(0.1);
    log.Add("mouse " + std::string(button == Qt::LeftButton ? "left" : "right") + " at " +
            std::to_string(at.x()) + "," + std::to_string(at.y()) + " moves " + std::to_string(moves) +
            (doubleClick ? " double" : ""));
    SendMouse(view, QEvent::MouseButtonPress, at, button, button, modifiers);
    for (int i = 0; i < moves && guard; ++i) {
        at += QPoint(random.Below(81) - 40, random.Below(81) - 40);
        SendMouse(view, QEvent::MouseMove, at, Qt::NoButton, button, modifiers);
    }
    if (guard) {
        SendMouse(view, QEvent::MouseButtonRelease, at, button, Qt::NoButton, modifiers);
    }
    if (doubleClick && guard) {
        SendMouse(view, QEvent::MouseButtonDblClick, at, button, button, modifiers);
        if (guard) {
            SendMouse(view, QEvent::MouseButtonRelease, at, button, Qt::NoButton, modifiers);
        }
    }
    if (guard && random.Chance(0.3)) {
        // A hover without a button, as the pointer crosses the view.
        SendMouse(view, QEvent::MouseMove, RandomPoint(view, random), Qt::NoButton, Qt::NoButton,
                  Qt::NoModifier);
    }
}

void KeyPress(QWidget& view, Random& random, ActionLog& log) {
    static const std::vector<int> keys = {Qt::Key_PageUp, Qt::Key_PageDown, Qt::Key_Up,     Qt::Key_Down,
                                          Qt::Key_Left,   Qt::Key_Right,    Qt::Key_Home,   Qt::Key_End,
                                          Qt::Key_Return, Qt::Key_Delete,   Qt::Key_Escape, Qt::Key_Tab,
                                          Qt::Key_Space,  Qt::Key_A,        Qt::Key_1};
    const int key = random.Pick(keys);
    log.Add("key " + QKeySequence(key).toString().toStdString());
    QTest::keyClick(&view, static_cast<Qt::Key>(key));
}

std::vector<QDialog*> OpenModelessDialogs() {
    std::vector<QDialog*> found;
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        auto* dialog = qobject_cast<QDialog*>(widget);
        if (dialog != nullptr && dialog->isVisible() && !dialog->isModal()) {
            found.push_back(dialog);
        }
    }
    // The application lists its windows in the order of their addresses; sorting by class and
    // name lets the same seed pick the same dialog on every run.
    std::stable_sort(found.begin(), found.end(), [](const QDialog* a, const QDialog* b) {
        const int byClass = std::strcmp(a->metaObject()->className(), b->metaObject()->className());
        return byClass != 0 ? byClass < 0 : a->objectName() < b->objectName();
    });
    return found;
}

void Settle() {
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
}

bool NoModalLeft() {
    for (int i = 0; i < 2000 && QApplication::activeModalWidget() != nullptr; ++i) {
        QTest::qWait(2);
    }
    return QApplication::activeModalWidget() == nullptr;
}

double SecondsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

namespace {

QtMessageHandler previousHandler = nullptr;

// The offscreen platform says on every dialog that it cannot resize or raise windows; thousands
// of those lines would bury what matters.
void QuietHandler(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (message.startsWith(QStringLiteral("This plugin does not support"))) {
        return;
    }
    if (previousHandler != nullptr) {
        previousHandler(type, context, message);
    }
}

}  // namespace

Sandbox::Sandbox() {
    previousHandler = qInstallMessageHandler(QuietHandler);
    std::random_device device;
    root_ = std::filesystem::temp_directory_path() / ("rave-random-" + std::to_string(device()));
    namespace fs = std::filesystem;
    // "open" is made by the copy of the examples below (copying into a folder already there
    // fails on Windows).
    for (const char* folder : {"home", "config", "data", "cache", "cwd", "saves", "export"}) {
        fs::create_directories(root_ / folder);
    }
    const std::vector<std::pair<std::string, fs::path>> environment = {{"HOME", root_ / "home"},
                                                                       {"XDG_CONFIG_HOME", root_ / "config"},
                                                                       {"XDG_DATA_HOME", root_ / "data"},
                                                                       {"XDG_CACHE_HOME", root_ / "cache"}};
    for (const auto& [name, value] : environment) {
        const char* old = std::getenv(name.c_str());
        oldEnvironment_.emplace_back(name, old != nullptr ? old : "");
        qputenv(name.c_str(), QByteArray::fromStdString(value.string()));
    }
    oldDirectory_ = fs::current_path();
    fs::current_path(root_ / "cwd");
    rave::testing::KeepSettingsIn(root_ / "settings");
    const fs::path examples = fs::path(RAVE_SOURCE_DIR) / "examples";
    fs::copy(examples, root_ / "open", fs::copy_options::recursive);
    std::ofstream(root_ / "open" / "empty.sdw", std::ios::binary);
    std::ofstream garbage(root_ / "open" / "garbage.sqw", std::ios::binary);
    std::mt19937 bytes(7);
    for (int i = 0; i < 3000; ++i) {
        garbage.put(static_cast<char>(bytes() % 256));
    }
}

Sandbox::~Sandbox() {
    qInstallMessageHandler(previousHandler);
    std::error_code ignored;
    std::filesystem::current_path(oldDirectory_, ignored);
    for (const auto& [name, value] : oldEnvironment_) {
        if (value.empty()) {
            qunsetenv(name.c_str());
        } else {
            qputenv(name.c_str(), QByteArray::fromStdString(value));
        }
    }
    std::filesystem::remove_all(root_, ignored);
}

std::vector<std::filesystem::path> Sandbox::OpenCandidates() const {
    std::vector<std::filesystem::path> files;
    std::error_code error;
    for (const char* folder : {"open", "open/section", "saves"}) {
        for (const auto& entry : std::filesystem::directory_iterator(root_ / folder, error)) {
            if (entry.is_regular_file()) {
                files.push_back(entry.path());
            }
        }
    }
    std::sort(files.begin(), files.end());  // the same order in every run
    files.push_back(root_ / "open" / "missing.sdw");
    return files;
}

std::vector<std::filesystem::path> Sandbox::SaveCandidates(const std::string& extension) const {
    return {root_ / "saves" / ("a" + extension),
            root_ / "saves" / ("b" + extension),
            root_ / "saves" / rave::PathFromUtf8("測点 1" + extension),
            root_ / "saves" / "noext",
            root_ / "saves" / ("c" + extension + ".txt"),
            root_ / "missing-folder" / ("x" + extension)};
}

namespace {

FileState StateOf(const std::string& path) {
    std::error_code error;
    const auto written = std::filesystem::last_write_time(rave::PathFromUtf8(path), error);
    if (path.empty() || error) {
        return {path, std::nullopt};
    }
    return {path, written};
}

}  // namespace

FileState StateBeforeSave(const std::string& path) {
    // Dated an hour back, so that a save within the file system's time resolution (coarse under
    // wine) still shows as a new time.
    std::error_code ignored;
    if (!path.empty()) {
        std::filesystem::last_write_time(
            rave::PathFromUtf8(path), std::filesystem::file_time_type::clock::now() - std::chrono::hours(1),
            ignored);
    }
    return StateOf(path);
}

bool Written(const FileState& before, const std::string& path) {
    const FileState after = StateOf(path);
    return after.written && (path != before.path || after.written != before.written);
}

int RunActions(Random& random, ActionLog& log, const RunLimits& limits,
               const std::vector<ProgramAction>& actions, QMainWindow& window) {
    std::vector<int> weights;
    for (const ProgramAction& action : actions) {
        weights.push_back(action.weight);
    }
    const auto start = std::chrono::steady_clock::now();
    int done = 0;
    while (done < limits.actions && (limits.seconds <= 0 || SecondsSince(start) < limits.seconds)) {
        const ProgramAction& action = actions[static_cast<std::size_t>(random.Weighted(weights))];
        action.run();
        ++done;
        Settle();
        EXPECT_TRUE(NoModalLeft()) << "a modal dialog stayed open after " << action.name;
        if (!window.isVisible()) {
            log.Add("window shown again");
            window.show();
        }
        if (::testing::Test::HasFailure()) {
            std::cerr << log.Tail();
            break;
        }
    }
    log.Add("done: " + std::to_string(done) + " actions in " + std::to_string(SecondsSince(start)) + " s");
    std::cerr << "  " << done << " actions in " << SecondsSince(start) << " s\n";
    return done;
}

bool AnswerPrinter(QPrinter& printer, const std::filesystem::path& pdf, Random& random, ActionLog& log) {
    const bool print = random.Chance(0.5);
    log.Add(print ? "  printer: pdf" : "  printer: cancelled");
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(QString::fromStdString(pdf.string()));
    return print;
}

void DrawPreview(QPrintPreviewDialog& preview, const std::filesystem::path& pdf, ActionLog& log) {
    log.Add("  preview drawn");
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(QString::fromStdString(pdf.string()));
    Q_EMIT preview.paintRequested(&printer);
}

std::filesystem::path LogFile(const std::string& program, std::uint64_t seed) {
    return std::filesystem::path(RAVE_BINARY_DIR) / "random_actions" /
           (program + "-" + std::to_string(seed) + ".log");
}

}  // namespace rave::random_actions
