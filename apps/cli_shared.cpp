// Helpers both command lines share.
#include "apps/cli_shared.h"

#include <QString>
#include <QtGlobal>

#include <CLI/CLI.hpp>
#include <algorithm>
#include <atomic>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <limits>
#include <map>
#include <mutex>
#include <new>
#include <optional>
#include <thread>

#include "apps/cli_system.h"
#include "common/path_text.h"
namespace rave::cli {

bool NamesCommandLineVerb(const std::vector<std::string>& arguments,
                          std::initializer_list<std::string_view> verbs) {
    std::size_t first = 0;
    if (!arguments.empty() && arguments.front() == "--install-folder") {
        first = 2;
    } else if (!arguments.empty() && arguments.front().rfind("--install-folder=", 0) == 0) {
        first = 1;
    }
    if (arguments.size() <= first) {
        return false;
    }
    for (std::string_view verb : verbs) {
        if (arguments[first] == verb) {
            return true;
        }
    }
    return arguments[first] == "--help" || arguments[first] == "-h";
}

void AddInstallFolderOption(CLI::App& app, std::string& folder) {
    // Verbs inherit the option through fallthrough, so it may stand before or after the verb.
    app.fallthrough();
    app.add_option("--install-folder", folder, "folder holding the settings, tables, fonts and pattern files")
        ->check(CLI::Validator(
            [](const std::string& value) {
                return value.empty() ? std::string("--install-folder needs a folder name, not an empty text")
                                     : std::string();
            },
            "DIR"));
}

int ParseAndRun(CLI::App& app, const std::vector<std::string>& arguments, std::ostream& out,
                std::ostream& err, const int& exitCode) {
    // CLI11 takes the arguments last first.
    std::vector<std::string> reversed(arguments.rbegin(), arguments.rend());
    try {
        app.parse(reversed);
    } catch (const CLI::CallForHelp&) {
        out << app.help();
        return 0;
    } catch (const CLI::ParseError& error) {
        err << error.what() << '\n';
        // After "--" every word is a file, an option's name too; say so when that is likely why
        // an option counts as missing or a file as one too many.
        const auto dashes = std::find(arguments.begin(), arguments.end(), "--");
        std::string optionsAfter;
        for (auto word = dashes; word != arguments.end(); ++word) {
            if (word != dashes && word->size() > 1 && word->front() == '-') {
                optionsAfter += " " + *word;
            }
        }
        if (!optionsAfter.empty()) {
            err << "after -- every word is a file name," << optionsAfter
                << " too: write the options before --\n";
        }
        return 2;
    }
    return exitCode;
}

std::optional<long long> ParseWholeInteger(std::string_view text) {
    std::string_view digits = text;
    if (!digits.empty() && (digits.front() == '-' || digits.front() == '+')) {
        digits.remove_prefix(1);
    }
    if (digits.empty() || digits.find_first_not_of("0123456789") != std::string_view::npos) {
        return std::nullopt;
    }
    long long value = 0;
    const bool negative = text.front() == '-';
    for (char c : digits) {
        const int digit = c - '0';
        if (value > (std::numeric_limits<long long>::max() - digit) / 10) {
            return std::nullopt;
        }
        value = value * 10 + digit;
    }
    return negative ? -value : value;
}

std::optional<double> ParseWholeDecimal(std::string_view text) {
    std::string_view rest = text;
    if (!rest.empty() && (rest.front() == '-' || rest.front() == '+')) {
        rest.remove_prefix(1);
    }
    const std::size_t point = rest.find('.');
    const std::string_view whole = rest.substr(0, point);
    const std::string_view fraction =
        point == std::string_view::npos ? std::string_view() : rest.substr(point + 1);
    const auto allDigits = [](std::string_view part) {
        return part.find_first_not_of("0123456789") == std::string_view::npos;
    };
    if (whole.size() + fraction.size() == 0 || !allDigits(whole) || !allDigits(fraction)) {
        return std::nullopt;
    }
    // Only digits, a sign and a point remain, which strtod reads the same in every locale.
    const std::string copy(text);
    return std::strtod(copy.c_str(), nullptr);
}

std::string NumberProblem(std::string_view option, std::string_view value, bool decimal) {
    const bool ok = decimal ? ParseWholeDecimal(value).has_value() : ParseWholeInteger(value).has_value();
    if (ok) {
        return {};
    }
    std::string text = std::string(option) + ": \"" + std::string(value) + "\" は";
    if (decimal && value.find(',') != std::string_view::npos && value.find('.') == std::string_view::npos) {
        std::string period(value);
        std::replace(period.begin(), period.end(), ',', '.');
        return text + "数値として読めません。小数点はコンマでなくピリオドで書いてください (" + period + ")";
    }
    return text + (decimal ? "数値として読めません (例: 1.5)" : "10進の整数として読めません (例: 300)");
}

CLI::Validator IntegerIn(long long lowest, long long highest) {
    return CLI::Validator(
        [lowest, highest](std::string& value) {
            const std::optional<long long> number = ParseWholeInteger(value);
            if (!number) {
                return "\"" + value + "\" は10進の整数として読めません";
            }
            if (*number < lowest || *number > highest) {
                return "\"" + value + "\" は範囲外です (" + std::to_string(lowest) +
                       (highest == std::numeric_limits<int>::max()
                            ? " 以上"
                            : " から " + std::to_string(highest) + " まで") +
                       ")";
            }
            value = std::to_string(*number);  // "010" is handed on as "10", never read as octal
            return std::string();
        },
        std::to_string(lowest) + ".." + std::to_string(highest));
}

const CLI::Validator& DecimalNumber() {
    static const CLI::Validator validator(
        [](const std::string& value) {
            std::string problem = NumberProblem("", value, true);
            return problem.empty() ? problem : problem.substr(2);  // CLI11 names the option itself
        },
        "NUMBER");
    return validator;
}

const CLI::Validator& OneOrMore() {
    static const CLI::Validator validator = IntegerIn(1, std::numeric_limits<int>::max());
    return validator;
}

void QuietToolkitNotes() {
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& message) {
        if (type == QtCriticalMsg || type == QtFatalMsg) {
            std::fprintf(stderr, "%s\n", message.toUtf8().constData());
        }
    });
}

bool ShowsProgress(const std::ostream& err) {
    return &err == &std::cerr && StandardErrorIsTerminal();
}

std::string BinaryInputReason(std::string_view bytes) {
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const auto byte = static_cast<unsigned char>(bytes[i]);
        if (byte < 0x20 && byte != '\t' && byte != '\r' && byte != '\n' && byte != 0x1A) {
            return "it is not a text file (byte " + std::to_string(byte) + " at offset " + std::to_string(i) +
                   ")";
        }
    }
    return {};
}

bool NamesOutputFolder(const std::string& output) {
    std::error_code error;
    return (!output.empty() && output.back() == '/') ||
           std::filesystem::is_directory(PathFromUtf8(output), error);
}

std::string InputFileProblem(const std::string& input, std::uintmax_t maxBytes) {
    namespace fs = std::filesystem;
    std::error_code error;
    const fs::path file = PathFromUtf8(input);
    const fs::file_status status = fs::status(file, error);
    if (error || !fs::exists(status)) {
        return {};
    }
    if (fs::is_directory(status)) {
        return input + ": フォルダです。ファイルを指定してください";
    }
    if (!fs::is_regular_file(status)) {
        return input + ": 通常のファイルではありません（デバイスやパイプは読めません）";
    }
    if (const std::uintmax_t size = fs::file_size(file, error); !error && size > maxBytes) {
        return input + ": ファイルが大きすぎます（" + std::to_string(maxBytes / (1024u * 1024u)) +
               " MB まで）";
    }
    return {};
}

InputFiles::InputFiles(const std::vector<std::string>& inputs) : inputs_(inputs) {
    for (std::size_t i = 0; i < inputs_.size(); ++i) {
        if (const auto identity = FileIdentity(PathFromUtf8(inputs_[i]))) {
            identities_.emplace(*identity, i);  // the first of several names of one file
        }
    }
}

const std::string* InputFiles::SameFileAs(const std::filesystem::path& output) const {
    const auto identity = FileIdentity(output);
    if (!identity) {
        return nullptr;
    }
    const auto found = identities_.find(*identity);
    return found == identities_.end() ? nullptr : &inputs_[found->second];
}

std::string OutputOverwritesInput(const std::vector<std::filesystem::path>& outputs,
                                  const InputFiles& inputs) {
    for (const std::filesystem::path& output : outputs) {
        if (const std::string* input = inputs.SameFileAs(output)) {
            return "出力 " + output.string() + " は入力 " + *input +
                   " そのもの (同じ名前かリンク) です。入力を守るため何も書いていません";
        }
    }
    return {};
}

std::string OutputOverwritesInput(const std::vector<std::filesystem::path>& outputs,
                                  const std::vector<std::string>& inputs) {
    return OutputOverwritesInput(outputs, InputFiles(inputs));
}

bool NamesPageFileForMany(const std::string& output) {
    if (NamesOutputFolder(output)) {
        return false;
    }
    std::string extension = PathFromUtf8(output).extension().string();
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return extension == ".pdf" || extension == ".png" || extension == ".svg" || extension == ".dxf";
}

std::size_t BatchThreads(int jobs, std::size_t files) {
    const std::size_t cores = std::max(1u, std::thread::hardware_concurrency());
    const std::size_t wanted = jobs > 0 ? static_cast<std::size_t>(jobs) : cores;
    return std::max<std::size_t>(1, std::min({wanted, cores, files}));
}

namespace {

// Runs `work(i)` for i in 0..count-1 on `threads` threads.
void RunOnThreads(std::size_t count, std::size_t threads, const std::function<void(std::size_t)>& work) {
    std::atomic<std::size_t> next{0};
    auto worker = [&] {
        for (std::size_t i = next++; i < count; i = next++) {
            work(i);
        }
    };
    std::vector<std::thread> pool;
    for (std::size_t t = 1; t < threads; ++t) {
        pool.emplace_back(worker);
    }
    worker();
    for (std::thread& thread : pool) {
        thread.join();
    }
}

// Why two planned items would write one file, or a file would replace an input; empty when the
// plans are safe to carry out.
std::string PlanConflict(const std::vector<BatchItem>& items, const std::vector<BatchPlan>& plans,
                         const InputFiles& inputs) {
    std::map<std::filesystem::path, std::size_t> writers;  // planned file -> the item writing it
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (!plans[i].error.empty()) {
            continue;
        }
        if (std::string problem = OutputOverwritesInput(plans[i].files, inputs); !problem.empty()) {
            return problem;
        }
        for (const std::filesystem::path& file : plans[i].files) {
            const auto [existing, inserted] = writers.emplace(file.lexically_normal(), i);
            if (!inserted && existing->second != i) {
                return "出力 " + file.string() + " を " + items[existing->second].input + " と " +
                       items[i].input +
                       " の両方が書くことになります。どちらかの名前を変えてください。何も書いていません";
            }
        }
    }
    return {};
}

}  // namespace

int RunBatch(const std::vector<std::string>& inputs, const std::filesystem::path& folder,
             const std::string& extension, int jobs, std::ostream& err, bool progress, const char* program,
             const PlanFunction& plan, const BatchFunction& render) {
    KeepLargeAllocations();
    std::vector<BatchItem> items;
    for (const std::string& input : inputs) {
        items.push_back({input, folder / (PathFromUtf8(input).stem() += "." + extension)});
    }
    const std::size_t threads = BatchThreads(jobs, items.size());

    // Every output name is known before anything is written.
    std::vector<BatchPlan> plans(items.size());
    RunOnThreads(items.size(), threads, [&](std::size_t i) {
        try {
            plans[i] = plan(items[i]);
        } catch (const std::bad_alloc&) {
            plans[i].error = kOutOfMemory;
        }
    });
    if (const std::string conflict = PlanConflict(items, plans, InputFiles(inputs)); !conflict.empty()) {
        err << program << ": " << conflict << '\n';
        return 1;
    }

    std::error_code error;
    std::filesystem::create_directories(folder, error);
    if (!std::filesystem::is_directory(folder, error)) {
        // The command line was well formed; the place it names cannot take the outputs, as an
        // input can be refused: status 1, not a usage error.
        std::string name = folder.string();
        name.erase(std::min(name.size(), name.find_last_not_of("/\\") + 1));
        const bool file = !name.empty() && std::filesystem::exists(PathFromUtf8(name), error);
        err << program << ": 出力フォルダ " << folder.string() << " を作れません"
            << (file ? "（同じ名前のファイルがあります）" : "") << '\n';
        return 1;
    }
    std::vector<std::string> failures(items.size());
    std::atomic<std::size_t> done{0};
    std::mutex progressLock;
    RunOnThreads(items.size(), threads, [&](std::size_t i) {
        failures[i] = plans[i].error;
        if (failures[i].empty()) {
            try {
                failures[i] = render(items[i]);
            } catch (const std::bad_alloc&) {
                failures[i] = kOutOfMemory;
            }
        }
        const std::size_t finished = ++done;
        if (progress) {
            std::lock_guard<std::mutex> lock(progressLock);
            err << "\r" << finished << " of " << items.size() << " files" << std::flush;
        }
    });
    if (progress) {
        err << '\n';
    }
    int failed = 0;
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (!failures[i].empty()) {
            ++failed;
            err << program << ": " << items[i].input << ": " << failures[i] << '\n';
        }
    }
    if (failed > 0) {
        err << program << ": " << failed << " of " << items.size() << " files failed\n";
        return 1;
    }
    return 0;
}

bool IsSameFile(const std::filesystem::path& a, const std::filesystem::path& b) {
    std::error_code error;
    return std::filesystem::equivalent(a, b, error) && !error;
}

}  // namespace rave::cli
