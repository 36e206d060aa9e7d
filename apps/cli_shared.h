// What the command lines of both programs share: telling a verb from a file for the desktop
// program, the --install-folder option, parsing with the exit statuses of the contract
// (0 success, 1 input rejected, 2 usage error) and the option checks they have in common.
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <initializer_list>
#include <iosfwd>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/text_file.h"

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

// Option values are whole decimal numbers: "1.5x", "0x1p1", "1e3" and "1,5" are not read as the
// number they start with, and "010" is ten, not eight.
// [+-]digits; nothing for anything else or a value beyond long long.
std::optional<long long> ParseWholeInteger(std::string_view text);
// [+-]digits[.digits] (or [+-].digits); nothing for anything else.
std::optional<double> ParseWholeDecimal(std::string_view text);
// Why `value` of `option` is not a number of that kind (a comma decimal is named as such); empty
// when it is one.
std::string NumberProblem(std::string_view option, std::string_view value, bool decimal);

// For integer options (with ->transform): a whole decimal integer within [lowest, highest], handed
// on as plain digits; a usage error naming the value otherwise.
CLI::Validator IntegerIn(long long lowest, long long highest);
// For text options holding a decimal number (with ->check): a usage error unless the whole value
// is a decimal number.
const CLI::Validator& DecimalNumber();
// Whole numbers from 1 up (with ->transform).
const CLI::Validator& OneOrMore();

// Keeps the toolkit's notes about the session (no runtime folder, no printer, no window manager)
// off stderr for the whole run, so scripts read only the program's own messages there; critical
// errors still show. Called first thing by a command-line run.
void QuietToolkitNotes();

// Progress lines go to a terminal only: scripts and tests reading stderr see messages alone.
bool ShowsProgress(const std::ostream& err);

// Why the bytes of an input file are not text this system could have written (a NUL or another
// control character than tab, CR, LF and the old end-of-file mark); empty for text.
std::string BinaryInputReason(std::string_view bytes);

// True when -o names a folder for many outputs: it ends in "/" or is an existing folder.
bool NamesOutputFolder(const std::string& output);

// The message for an input that cannot be read as a file: a folder, a device, a pipe or a socket
// (never opened, so a pipe cannot block the run) or a file larger than `maxBytes` (UTF-8, without
// the program's name). Empty for a regular file within the limit and for one that does not exist,
// which the verb's reader names itself.
std::string InputFileProblem(const std::string& input, std::uintmax_t maxBytes = rave::kMaxInputFileBytes);

// The inputs of a run with the identity (device and file number) of each, looked up once, so that
// telling whether an output is one of them takes one look-up of the output, not one per input.
class InputFiles {
public:
    explicit InputFiles(const std::vector<std::string>& inputs);
    // The first input that is the same file as `output` (the same name, another spelling, a
    // symbolic or a hard link); nullptr when none is or `output` does not exist.
    const std::string* SameFileAs(const std::filesystem::path& output) const;

private:
    std::vector<std::string> inputs_;
    std::map<std::pair<unsigned long long, unsigned long long>, std::size_t> identities_;
};

// Why writing `outputs` would destroy one of `inputs`: an output is an input under the same
// name, another spelling, a symbolic or a hard link. Empty when none is (UTF-8, without the
// program's name).
std::string OutputOverwritesInput(const std::vector<std::filesystem::path>& outputs,
                                  const InputFiles& inputs);
std::string OutputOverwritesInput(const std::vector<std::filesystem::path>& outputs,
                                  const std::vector<std::string>& inputs);

// Several inputs need a folder for their outputs: true when -o names a file of a page kind
// (m.png, m.pdf) that is not an existing folder.
bool NamesPageFileForMany(const std::string& output);

// The message printed when memory runs out during a render.
inline constexpr const char* kOutOfMemory = "メモリが足りません (out of memory)";

// One input of a batch and the file it becomes: FOLDER/NAME.EXTENSION.
struct BatchItem {
    std::string input;
    std::filesystem::path output;
};
// What one item will write (every page's file), or why it cannot be rendered.
struct BatchPlan {
    std::string error;  // UTF-8; empty when the item can be rendered
    std::vector<std::filesystem::path> files;
};
using PlanFunction = std::function<BatchPlan(const BatchItem& item)>;
// Renders one item; returns an empty text on success, else why it failed (UTF-8).
using BatchFunction = std::function<std::string(const BatchItem& item)>;

// The number of threads a batch of `files` inputs runs on: `jobs` (0: one per core), never more
// than the cores nor the files.
std::size_t BatchThreads(int jobs, std::size_t files);

// Plans every input first (`plan`: the files it would write), then renders the ones that can be
// rendered on BatchThreads threads, and reports on `err`: a progress line when `progress`, then
// every failure with its input. Nothing at all is written, and 1 returned, when two inputs would
// write the same file or a file would replace one of the inputs. The outputs that succeed are
// written whatever else fails. Returns 0 when every input succeeded, 1 otherwise (the folder
// cannot be made, for one, when a file has its name).
int RunBatch(const std::vector<std::string>& inputs, const std::filesystem::path& folder,
             const std::string& extension, int jobs, std::ostream& err, bool progress, const char* program,
             const PlanFunction& plan, const BatchFunction& render);

// True when both paths name one existing file (through links and different spellings).
bool IsSameFile(const std::filesystem::path& a, const std::filesystem::path& b);

}  // namespace rave::cli
