// Helpers both command lines share.
#include "apps/cli_shared.h"

#include <unistd.h>

#include <CLI/CLI.hpp>
#include <atomic>
#include <iostream>
#include <map>
#include <mutex>
#include <thread>

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
        return 2;
    }
    return exitCode;
}

const CLI::Validator& OneOrMore() {
    static const CLI::Validator validator(
        [](const std::string& value) {
            try {
                std::size_t used = 0;
                const long long number = std::stoll(value, &used);
                if (used == value.size() && number >= 1) {
                    return std::string();
                }
            } catch (const std::exception&) {
            }
            return "must be 1 or more, not \"" + value + "\"";
        },
        "N>=1");
    return validator;
}

bool ShowsProgress(const std::ostream& err) {
    return &err == &std::cerr && isatty(STDERR_FILENO) == 1;
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
    return (!output.empty() && output.back() == '/') || std::filesystem::is_directory(output, error);
}

int RunBatch(const std::vector<std::string>& inputs, const std::filesystem::path& folder,
             const std::string& extension, int jobs, std::ostream& err, bool progress, const char* program,
             const BatchFunction& render) {
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    if (!std::filesystem::is_directory(folder, error)) {
        err << program << ": cannot make the output folder " << folder.string() << '\n';
        return 2;
    }
    std::vector<BatchItem> items;
    std::vector<std::string> failures(inputs.size());
    std::map<std::filesystem::path, std::string> outputs;  // output -> the input it came from
    for (std::size_t i = 0; i < inputs.size(); ++i) {
        const std::filesystem::path output =
            folder / (std::filesystem::path(inputs[i]).stem().string() + "." + extension);
        const auto [existing, inserted] = outputs.emplace(output, inputs[i]);
        if (!inserted) {
            failures[i] = "the same output " + output.string() + " as " + existing->second;
        }
        items.push_back({inputs[i], output});
    }

    const unsigned cores = std::max(1u, std::thread::hardware_concurrency());
    const std::size_t threadCount = std::min<std::size_t>(jobs > 0 ? static_cast<std::size_t>(jobs) : cores,
                                                          std::max<std::size_t>(1, items.size()));
    std::atomic<std::size_t> next{0};
    std::atomic<std::size_t> done{0};
    std::mutex progressLock;
    auto worker = [&] {
        for (std::size_t i = next++; i < items.size(); i = next++) {
            if (failures[i].empty()) {
                failures[i] = render(items[i]);
            }
            const std::size_t finished = ++done;
            if (progress) {
                std::lock_guard<std::mutex> lock(progressLock);
                err << "\r" << finished << " of " << items.size() << " files" << std::flush;
            }
        }
    };
    std::vector<std::thread> threads;
    for (std::size_t t = 1; t < threadCount; ++t) {
        threads.emplace_back(worker);
    }
    worker();
    for (std::thread& thread : threads) {
        thread.join();
    }
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
