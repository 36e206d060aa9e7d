// What the recovery tests share: the one QApplication (with settings kept in a temporary folder),
// answers from queues, the files of a recovery folder and the id of a process that has ended.
#pragma once

#include <sys/wait.h>
#include <unistd.h>

#include <QApplication>
#include <QSettings>
#include <deque>
#include <filesystem>
#include <fstream>
#include <optional>
#include <set>
#include <string>

namespace rave::recovery_test {

inline QApplication& TestApplication() {
    if (auto* existing = qobject_cast<QApplication*>(QCoreApplication::instance())) {
        return *existing;
    }
    // Settings of the tests never reach the user's own.
    static const std::filesystem::path settings =
        std::filesystem::temp_directory_path() / ("rave-recovery-settings-" + std::to_string(::getpid()));
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope,
                       QString::fromStdString(settings.string()));
    static int argc = 1;
    static char name[] = "test_recovery";
    static char* argv[] = {name, nullptr};
    static QApplication* app = new QApplication(argc, argv);
    return *app;
}

template <typename T>
std::optional<T> Next(std::deque<T>& answers) {
    if (answers.empty()) {
        return std::nullopt;
    }
    T answer = answers.front();
    answers.pop_front();
    return answer;
}

inline void WriteBytes(const std::filesystem::path& file, const std::string& bytes) {
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out << bytes;
}

inline std::set<std::string> RecoveryFileNames(const std::filesystem::path& folder) {
    std::set<std::string> names;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
        names.insert(entry.path().filename().string());
    }
    return names;
}

// The id of a child process that has ended and been reaped.
inline long DeadProcessId() {
    const pid_t child = ::fork();
    if (child == 0) {
        ::_exit(0);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    return static_cast<long>(child);
}

}  // namespace rave::recovery_test
