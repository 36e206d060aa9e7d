// The random-input driver of the windows: a seeded source of choices and texts, the log of every
// action taken (so a finding can be replayed from its seed), an answerer that fills and closes
// every dialog that opens, and the menu, mouse and keyboard actions both programs share.
#pragma once

#include <QObject>
#include <QPointer>
#include <QString>
#include <chrono>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <optional>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "common/messages.h"

class QAction;
class QDialog;
class QMainWindow;
class QPrintPreviewDialog;
class QPrinter;
class QTimer;
class QWidget;

namespace rave::random_actions {

// How long a run lasts: RAVE_RANDOM_SEED, RAVE_RANDOM_ACTIONS and RAVE_RANDOM_SECONDS override the
// defaults (the run stops at whichever limit comes first; 0 seconds is no time limit).
struct RunLimits {
    std::uint64_t seed = 1;
    int actions = 300;
    double seconds = 0;
};
RunLimits LimitsFromEnvironment(RunLimits defaults);

// Every choice of a run comes from here, so one seed gives one run.
class Random {
public:
    explicit Random(std::uint64_t seed) : engine_(seed) {}
    int Below(int count);
    bool Chance(double probability);
    template <typename T>
    const T& Pick(const std::vector<T>& items) {
        return items[static_cast<std::size_t>(Below(static_cast<int>(items.size())))];
    }
    // Index into `weights`, each chosen in proportion to its weight.
    int Weighted(const std::vector<int>& weights);
    // A text a user might type, valid or not: numbers of every shape, soil names in full- and
    // half-width katakana, separators the files use, line ends, text cp932 cannot hold, very
    // long text, nothing.
    QString Text();

private:
    std::mt19937_64 engine_;
};

// The numbered action list of a run, written line by line (flushed, so it survives a crash).
class ActionLog {
public:
    ActionLog(const std::filesystem::path& file, const std::string& header);
    void Add(const std::string& line);
    const std::filesystem::path& File() const { return file_; }
    // The last lines, for a failure message.
    std::string Tail() const;

private:
    std::filesystem::path file_;
    std::ofstream out_;
    std::vector<std::string> recent_;
    int lines_ = 0;
};

// A printable form of a text for the log: non-ASCII kept as UTF-8, control characters escaped.
std::string Quoted(const QString& text);

// Core messages are recorded; questions are answered at random.
class RandomMessageSink : public MessageSink {
public:
    RandomMessageSink(Random& random, ActionLog& log) : random_(random), log_(log) {}
    void Show(const Message& message) override;
    bool AskYesNo(const Message& question) override;
    int shown = 0;

private:
    Random& random_;
    ActionLog& log_;
};

// Answers whatever modal dialog, message box or popup menu is open, from a timer that keeps
// running inside their event loops: a few fields filled with random text, then OK, Cancel,
// Escape or the close button. A dialog that will not close is rejected after a while, so no
// action ever waits for a person. File choosers pick one of `files()` or are cancelled; print
// dialogs are always cancelled.
class DialogAnswerer : public QObject {
    // No signals or slots of its own: the timer and the queued steps are lambdas.
public:
    DialogAnswerer(Random& random, ActionLog& log, std::function<std::vector<std::filesystem::path>()> files);
    ~DialogAnswerer() override;
    // One random step on a modeless dialog (a field, a button, or closing it).
    void StepModeless(QDialog& dialog);
    int Answered() const { return answered_; }
    int FieldsFilled() const { return filled_; }

private:
    void Tick();
    void Step(QWidget& dialog, bool modal);
    void FillOneField(QWidget& dialog);
    void Close(QWidget& dialog, int attempt);
    bool AnswerSpecial(QWidget& dialog);
    // Runs `work` from the event loop, not from the timer, so a dialog it opens is answered too.
    void Later(QWidget& target, std::function<void()> work);

    Random& random_;
    ActionLog& log_;
    std::function<std::vector<std::filesystem::path>()> files_;
    QTimer* timer_;
    struct Seen {
        int ticks = 0;
        int plannedSteps = 0;
        int closeAttempts = 0;
    };
    std::map<QWidget*, Seen> seen_;
    bool pending_ = false;
    int answered_ = 0;
    int filled_ = 0;
};

// The actions of every menu of `window` (sub-menus walked), separators left out.
std::vector<QAction*> MenuActions(const QMainWindow& window);
// The text of an action for the log, mnemonics removed.
std::string ActionName(const QAction& action);

// A press, a drag of a few steps and a release (or a double click) at random places of `view`,
// with the left or right button and sometimes Shift or Ctrl.
void MouseGesture(QWidget& view, Random& random, ActionLog& log);
// A key a user presses on the view: paging, arrows, Enter, Delete, Escape, Tab, a letter.
void KeyPress(QWidget& view, Random& random, ActionLog& log);

// The visible modeless dialogs of the application.
std::vector<QDialog*> OpenModelessDialogs();
// Lets timers, posted events and deferred deletions run (autosave, repaint, closed dialogs).
void Settle();

// Answers any modal still open after an action (one opened with open() or show()); false when
// one stays open.
bool NoModalLeft();

// Seconds since `start`.
double SecondsSince(std::chrono::steady_clock::time_point start);

// A run's own world: a temporary folder that stands as home, configuration folders and current
// directory (so nothing a dialog writes reaches the user's), the program's settings kept there,
// the examples copied in (so a save never writes to the repository), and files a user should
// not be able to open: bytes of nothing, an empty file, one that does not exist.
class Sandbox {
public:
    Sandbox();
    ~Sandbox();
    Sandbox(const Sandbox&) = delete;
    Sandbox& operator=(const Sandbox&) = delete;

    const std::filesystem::path& Root() const { return root_; }
    std::filesystem::path Install() const { return root_ / "install"; }
    // Example files and hostile files to open, and the files saved so far.
    std::vector<std::filesystem::path> OpenCandidates() const;
    // Where a save may go: names in a saves folder (Japanese and blank included), the
    // program's own extension or another, a folder that does not exist.
    std::vector<std::filesystem::path> SaveCandidates(const std::string& extension) const;

private:
    std::filesystem::path root_;
    std::filesystem::path oldDirectory_;
    std::vector<std::pair<std::string, std::string>> oldEnvironment_;
};

// A file as it was before a save, so the saved file is checked only when one was written.
struct FileState {
    std::string path;
    std::optional<std::filesystem::file_time_type> written;
};
FileState StateBeforeSave(const std::string& path);
// Whether `path` (the document's name after the save) was written since `before`.
bool Written(const FileState& before, const std::string& path);

// One kind of action of a program, chosen in proportion to its weight.
struct ProgramAction {
    std::string name;
    int weight = 1;
    std::function<void()> run;
};

// Runs actions chosen from `actions` until the limits; after each one checks that no modal
// dialog stayed open and shows the window again if an action closed it. Stops at the first
// test failure and prints the last actions. Returns how many ran.
int RunActions(Random& random, ActionLog& log, const RunLimits& limits,
               const std::vector<ProgramAction>& actions, QMainWindow& window);

// The print dialog's answer: a PDF file stands for the printer, or the print is cancelled.
bool AnswerPrinter(QPrinter& printer, const std::filesystem::path& pdf, Random& random, ActionLog& log);
// The preview asks for its pages as when it is shown, drawn into a PDF file.
void DrawPreview(QPrintPreviewDialog& preview, const std::filesystem::path& pdf, ActionLog& log);

// The action log of a run of `program` with `seed`, in the build folder.
std::filesystem::path LogFile(const std::string& program, std::uint64_t seed);

}  // namespace rave::random_actions
