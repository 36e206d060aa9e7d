// Autosave timers, the recovery question and the start-up offer.
#include "platform/recovery.h"

#include <QAbstractButton>
#include <QCoreApplication>
#include <QDateTime>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>
#include <QSettings>
#include <QStandardPaths>
#include <cerrno>
#include <chrono>
#include <fstream>
#include <sstream>

#include "platform/path_qstring.h"
#include "platform/process.h"
#include "platform/program_settings.h"

namespace rave::platform {

namespace fs = std::filesystem;

namespace {

// How long the document must stay unchanged after an edit before the copy is written.
constexpr int kQuietMilliseconds = 2000;

const QString kRecoveryGroup = QStringLiteral("Recovery");
const QString kIntervalKey = QStringLiteral("AutosaveSeconds");

std::int64_t NowSeconds() {
    return std::chrono::duration_cast<std::chrono::seconds>(
               std::chrono::system_clock::now().time_since_epoch())
        .count();
}

QString NativeName(const std::string& path) {
    return QString::fromStdString(path);
}

}  // namespace

ProcessIdentity CurrentProcess() {
    return ProcessIdentityOf(CurrentProcessId());
}

ProcessIdentity ProcessIdentityOf(long pid) {
    return ProcessIdentity{pid, ProcessStartToken(pid)};
}

bool IsProcessRunning(const ProcessIdentity& process) {
    if (process.pid <= 0) {
        return false;
    }
    if (!ProcessExists(process.pid)) {
        return false;
    }
    // The id may have been given to a later process: compare the start times where known.
    if (!process.startToken.empty()) {
        const std::string now = ProcessStartToken(process.pid);
        if (!now.empty() && now != process.startToken) {
            return false;
        }
    }
    return true;
}

fs::path DefaultRecoveryFolder() {
    const QString data = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    return PathFromQString(data) / "recovery";
}

int ReadAutosaveSeconds() {
    const auto settings = OpenSettings(OrganisationName(), QCoreApplication::applicationName());
    const QVariant value = settings->value(kRecoveryGroup + QStringLiteral("/") + kIntervalKey);
    bool ok = false;
    const int seconds = value.toInt(&ok);
    return AutosaveSecondsFromSetting(value.isValid() && ok ? std::optional<int>(seconds) : std::nullopt);
}

void WriteAutosaveSeconds(int seconds) {
    const auto settings = OpenSettings(OrganisationName(), QCoreApplication::applicationName());
    settings->setValue(kRecoveryGroup + QStringLiteral("/") + kIntervalKey, seconds);
}

RecoverySession::RecoverySession(std::string program, std::string extension, fs::path folder, QObject* parent)
    : QObject(parent),
      program_(std::move(program)),
      extension_(std::move(extension)),
      folder_(std::move(folder)) {
    quiet_.setSingleShot(true);
    connect(&quiet_, &QTimer::timeout, this, [this] { WriteNow(); });
    connect(&periodic_, &QTimer::timeout, this, [this] { WriteNow(); });
    askOverwriteChanged = [](const QString& fileName) {
        return QMessageBox::question(
                   nullptr, QCoreApplication::applicationName(),
                   QStringLiteral("%1 は、復元した作業が保存されていない間に変更されています。\n"
                                  "上書きしますか？（いいえ: 別の名前で保存します）")
                       .arg(fileName),
                   QMessageBox::Yes | QMessageBox::No, QMessageBox::No) == QMessageBox::Yes;
    };
}

RecoverySession::~RecoverySession() {
    Discard();
}

void RecoverySession::Attach(RecoveryDocument document) {
    document_ = std::move(document);
    lastModified_ = document_.modified();
    lastPath_ = document_.pathName();
    originalStamp_ = ReadFileStamp(lastPath_);
}

RecoveryRecord RecoverySession::OwnRecord() const {
    RecoveryRecord record;
    record.program = program_;
    record.process = CurrentProcess();
    record.originalPath = document_.pathName ? document_.pathName() : std::string();
    record.savedTime = NowSeconds();
    record.originalStamp = originalStamp_;
    record.modified = document_.modified ? document_.modified() : false;
    return record;
}

void RecoverySession::SetIntervalSeconds(int seconds) {
    const bool wasOff = intervalSeconds_ == 0;
    intervalSeconds_ = AutosaveSecondsFromSetting(seconds);
    if (intervalSeconds_ == 0) {
        quiet_.stop();
        periodic_.stop();
        return;
    }
    periodic_.setInterval(intervalSeconds_ * 1000);
    if (periodic_.isActive()) {
        periodic_.start();
    } else if (wasOff && document_.modified && document_.modified()) {
        // Turned on with unsaved work in hand: the copy does not wait for the next edit.
        RestartTimers();
    }
}

void RecoverySession::RestartTimers() {
    if (intervalSeconds_ == 0) {
        return;
    }
    quiet_.start(std::min(kQuietMilliseconds, intervalSeconds_ * 1000));
    if (!periodic_.isActive()) {
        periodic_.start(intervalSeconds_ * 1000);
    }
}

void RecoverySession::Follow() {
    if (!document_.modified) {
        return;
    }
    const bool modified = document_.modified();
    const std::string path = document_.pathName();
    const bool changed = modified != lastModified_ || path != lastPath_;
    if (!modified || path != lastPath_) {
        // Saved, opened or renamed: the work now starts from this file as it is.
        originalStamp_ = ReadFileStamp(path);
        restored_ = false;
    }
    lastModified_ = modified;
    lastPath_ = path;
    if (changed && stateChanged) {
        stateChanged(modified, path);
    }
    if (!modified) {
        quiet_.stop();
        periodic_.stop();
        Discard();
        return;
    }
    RestartTimers();
}

bool RecoverySession::WriteNow() {
    if (!document_.modified || !document_.modified()) {
        return false;
    }
    const std::string failure = WriteRecoveryCopy(folder_, OwnRecord(), extension_, document_.bytes());
    const bool failed = !failure.empty();
    if (failed != failing_) {
        // Said once when it stops and once when it works again, not at every try.
        failing_ = failed;
        if (reportStatus) {
            reportStatus(failed ? QStringLiteral("自動保存できません（復元用のフォルダに書き込めません）")
                                : QStringLiteral("自動保存を再開しました"));
        }
    }
    if (failed) {
        return false;
    }
    hasCopy_ = true;
    return true;
}

void RecoverySession::Discard() {
    quiet_.stop();
    periodic_.stop();
    if (hasCopy_) {
        RemoveRecoveryCopy(folder_, OwnRecord(), extension_);
        hasCopy_ = false;
    }
}

void RecoverySession::Restored(const OfferedRecovery& offered) {
    originalStamp_ = offered.record.originalStamp;
    restored_ = true;
    lastModified_ = document_.modified ? document_.modified() : true;
    lastPath_ = document_.pathName ? document_.pathName() : offered.record.originalPath;
    if (stateChanged) {
        stateChanged(lastModified_, lastPath_);
    }
    // Our own copy first, then the earlier run's goes: the work is never without a copy.
    if (WriteNow() && !(offered.record.process == CurrentProcess())) {
        RemoveRecoveryCopy(folder_, offered.record, extension_);
    }
    RestartTimers();
}

bool RecoverySession::MaySaveOver(const std::string& path) {
    if (!restored_ || path != lastPath_ || ReadFileStamp(path) == originalStamp_) {
        return true;
    }
    return askOverwriteChanged(QFileInfo(NativeName(path)).fileName());
}

QMessageBox* CreateRecoveryQuestion(QWidget* parent, const QString& caption, const OfferedRecovery& offered) {
    QString name = QFileInfo(NativeName(offered.record.originalPath)).fileName();
    if (name.isEmpty()) {
        name = QStringLiteral("無題");
    }
    const QString time =
        QDateTime::fromSecsSinceEpoch(offered.record.savedTime).toString(QStringLiteral("yyyy/MM/dd HH:mm"));
    auto* box = new QMessageBox(
        QMessageBox::Question, caption,
        QStringLiteral("前回正常に終了しなかったため、保存されていない作業があります。復元しますか？"),
        QMessageBox::NoButton, parent);
    box->setInformativeText(QStringLiteral("ファイル: %1\n保存時刻: %2").arg(name, time));
    box->setObjectName(QStringLiteral("recoveryQuestion"));
    QAbstractButton* restore = box->addButton(QStringLiteral("復元(&R)"), QMessageBox::AcceptRole);
    restore->setObjectName(QStringLiteral("restoreButton"));
    box->addButton(QStringLiteral("破棄(&D)"), QMessageBox::DestructiveRole)
        ->setObjectName(QStringLiteral("discardButton"));
    box->addButton(QStringLiteral("後で(&L)"), QMessageBox::RejectRole)
        ->setObjectName(QStringLiteral("laterButton"));
    box->setDefaultButton(qobject_cast<QPushButton*>(restore));
    return box;
}

RecoveryChoice AskAboutRecovery(QWidget* parent, const QString& caption, const OfferedRecovery& offered) {
    QMessageBox* box = CreateRecoveryQuestion(parent, caption, offered);
    box->exec();
    const QString clicked = box->clickedButton() != nullptr ? box->clickedButton()->objectName() : QString();
    delete box;
    if (clicked == QStringLiteral("restoreButton")) {
        return RecoveryChoice::kRestore;
    }
    return clicked == QStringLiteral("discardButton") ? RecoveryChoice::kDiscard : RecoveryChoice::kLater;
}

bool OfferLeftRecoveries(RecoverySession& session, const RecoveryAsk& ask, const RecoveryRestore& restore,
                         const RecoveryDiscarded& discarded) {
    const std::vector<OfferedRecovery> left =
        ListLeftRecoveries(session.Folder(), session.Program(), session.Extension(), IsProcessRunning);
    for (const OfferedRecovery& offered : left) {
        switch (ask(offered)) {
            case RecoveryChoice::kRestore:
                if (restore(offered)) {
                    session.Restored(offered);
                    return true;
                }
                break;  // the copy could not be read: it stays, the next one is offered
            case RecoveryChoice::kDiscard:
                RemoveRecoveryCopy(session.Folder(), offered.record, session.Extension());
                if (discarded) {
                    discarded(offered);
                }
                break;
            case RecoveryChoice::kLater:
                break;
        }
    }
    return false;
}

}  // namespace rave::platform
