// Autosave and recovery for both desktop programs.
//
// A RecoverySession belongs to one window. The window tells it after anything that may have
// changed its document (Follow); while the document has unsaved changes the session writes a
// recovery copy a short quiet period after the last edit and then every interval (the setting
// 自動保存の間隔, 0 = off), and it removes the copy as soon as the document is saved, discarded or
// the window closes cleanly. The copies live in the per-user application-data folder, never in
// the install folder and never over the user's own file.
//
// At start the application offers what an earlier run left behind (OfferLeftRecoveries); the
// window restores a chosen copy as a modified document named after its original file.
#pragma once

#include <QObject>
#include <QString>
#include <QTimer>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "common/recovery_store.h"

class QMessageBox;
class QWidget;

namespace rave::platform {

// This process, and whether the process a record names still runs (its id alive and, where the
// system tells, started at the same moment).
ProcessIdentity CurrentProcess();
ProcessIdentity ProcessIdentityOf(long pid);
bool IsProcessRunning(const ProcessIdentity& process);

// <application data>/recovery, for the application named in QCoreApplication.
std::filesystem::path DefaultRecoveryFolder();

// The autosave interval kept in the program's settings (group "Recovery").
int ReadAutosaveSeconds();
void WriteAutosaveSeconds(int seconds);

// How a session sees its window's document.
struct RecoveryDocument {
    std::function<bool()> modified;
    std::function<std::string()> pathName;  // native file name; empty or a name without a file when untitled
    std::function<std::string()> bytes;     // the document in its own file format
};

class RecoverySession : public QObject {
    Q_OBJECT
public:
    // `program` names the copies ("Ravelog"), `extension` is the document's (".sdw").
    RecoverySession(std::string program, std::string extension, std::filesystem::path folder,
                    QObject* parent = nullptr);
    // The copy of this run goes with it: a run that ends, ends cleanly.
    ~RecoverySession() override;

    void Attach(RecoveryDocument document);
    // After an edit, an undo, a save, New or Open: starts the quiet period while there are unsaved
    // changes, removes the copy when there are none.
    void Follow();
    // Writes the copy now when the document has unsaved changes. False when it could not.
    bool WriteNow();
    // The window closes or its changes were thrown away: the copy goes.
    void Discard();
    // The autosave interval in seconds (0 = off).
    void SetIntervalSeconds(int seconds);
    int IntervalSeconds() const { return intervalSeconds_; }

    // The document was restored from `offered`: Save asks before it writes over an original that
    // changed since the work was last saved, and the copy of the earlier run is replaced by ours.
    void Restored(const OfferedRecovery& offered);
    // Before Save writes over `path`: true to go on. After a restore, when the original changed
    // since, the user is asked; no means save under another name.
    bool MaySaveOver(const std::string& path);
    // The question for MaySaveOver; tests answer it.
    std::function<bool(const QString& fileName)> askOverwriteChanged;

    // Called when the modified flag or the document's name changed (the folder lock follows).
    std::function<void(bool modified, const std::string& pathName)> stateChanged;
    // Told once when autosave stops working (the recovery folder cannot be written) and once when
    // it works again, with the text for the status bar.
    std::function<void(const QString& text)> reportStatus;
    bool Failing() const { return failing_; }

    const std::filesystem::path& Folder() const { return folder_; }
    const std::string& Program() const { return program_; }
    const std::string& Extension() const { return extension_; }
    RecoveryRecord OwnRecord() const;
    bool HasCopy() const { return hasCopy_; }

private:
    void RestartTimers();

    std::string program_;
    std::string extension_;
    std::filesystem::path folder_;
    RecoveryDocument document_;
    QTimer quiet_;
    QTimer periodic_;
    int intervalSeconds_ = kDefaultAutosaveSeconds;
    bool hasCopy_ = false;
    bool lastModified_ = false;
    std::string lastPath_;
    FileStamp originalStamp_;
    bool restored_ = false;
    bool failing_ = false;
};

// What the user answers the recovery question with.
enum class RecoveryChoice { kRestore, kDiscard, kLater };

// The question "前回正常に終了しなかったため…" with the file name and time, and the buttons
// 復元, 破棄 and 後で (for the screenshots and the default answer).
QMessageBox* CreateRecoveryQuestion(QWidget* parent, const QString& caption, const OfferedRecovery& offered);
RecoveryChoice AskAboutRecovery(QWidget* parent, const QString& caption, const OfferedRecovery& offered);

using RecoveryAsk = std::function<RecoveryChoice(const OfferedRecovery&)>;
using RecoveryRestore = std::function<bool(const OfferedRecovery&)>;

using RecoveryDiscarded = std::function<void(const OfferedRecovery&)>;

// Offers every copy an earlier run of the session's program left, newest first: 破棄 deletes it
// and tells `discarded`, 後で keeps it for the next start, 復元 hands it to `restore`. After one
// copy was restored the remaining ones stay for the next start. True when a copy was restored.
bool OfferLeftRecoveries(RecoverySession& session, const RecoveryAsk& ask, const RecoveryRestore& restore,
                         const RecoveryDiscarded& discarded = {});

}  // namespace rave::platform
