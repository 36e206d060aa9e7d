// What the command lines of both programs share: telling a verb from a file for the desktop
// program, the --install-folder option, parsing with the exit statuses of the contract
// (0 success, 1 input rejected, 2 usage error) and the option checks they have in common.
#pragma once

#include <filesystem>
#include <functional>
#include <initializer_list>
#include <iosfwd>
#include <string>
#include <string_view>
#include <vector>

namespace CLI {
class App;
class Validator;
}  // namespace CLI

namespace rave::cli {

// True when the arguments name one of `verbs` (or ask for help), with "--install-folder DIR" or
// "--install-folder=DIR" allowed before the verb.
bool NamesCommandLineVerb(const std::vector<std::string>& arguments,
                          std::initializer_list<std::string_view> verbs);

// --install-folder on the whole program, inherited by every verb; an empty value is a usage error.
void AddInstallFolderOption(CLI::App& app, std::string& folder);

// Parses and runs the verb; returns `exitCode` as the verb left it, 0 after help, 2 on a usage
// error (the reason on `err`).
int ParseAndRun(CLI::App& app, const std::vector<std::string>& arguments, std::ostream& out,
                std::ostream& err, const int& exitCode);

// Whole numbers from 1 up: "must be 1 or more" otherwise.
const CLI::Validator& OneOrMore();

// Progress lines go to a terminal only: scripts and tests reading stderr see messages alone.
bool ShowsProgress(const std::ostream& err);

// Why the bytes of an input file are not text this system could have written (a NUL or another
// control character than tab, CR, LF and the old end-of-file mark); empty for text.
std::string BinaryInputReason(std::string_view bytes);

// True when -o names a folder for many outputs: it ends in "/" or is an existing folder.
bool NamesOutputFolder(const std::string& output);

// One input of a batch and the file it becomes: FOLDER/NAME.EXTENSION.
struct BatchItem {
    std::string input;
    std::filesystem::path output;
};
// Renders one item; returns an empty text on success, else why it failed (UTF-8).
using BatchFunction = std::function<std::string(const BatchItem& item)>;

// Runs `render` for every input on `jobs` threads (0: one per core) and reports on `err`: a
// progress line when `progress`, then every failure with its input. The outputs that succeed
// are written whatever fails. Returns 0 when every input succeeded, 1 otherwise, 2 when the
// folder cannot be made. Two inputs of the same name are refused, as one would overwrite the other.
int RunBatch(const std::vector<std::string>& inputs, const std::filesystem::path& folder,
             const std::string& extension, int jobs, std::ostream& err, bool progress, const char* program,
             const BatchFunction& render);

// True when both paths name one existing file (through links and different spellings).
bool IsSameFile(const std::filesystem::path& a, const std::filesystem::path& b);

}  // namespace rave::cli
