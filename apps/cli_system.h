// What the command lines ask of the operating system: whether stderr is a terminal, which file a
// name stands for, the allocator's habits, and the removal of working folders when the run is
// interrupted (Ctrl+C, a closed terminal or console, kill).
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace rave::cli {

// The program's arguments as UTF-8 (on Windows read from the wide command line, so a file name
// with any character arrives whole), the program's name left out.
std::vector<std::string> CommandLineArguments(int argc, char** argv);

// Readies standard output and error for a verb: on Windows a desktop program started from a
// console writes into that console, and a console shows the UTF-8 the verbs write.
void PrepareStandardStreams();

// True when standard error is a terminal (or a console), where progress is worth showing.
bool StandardErrorIsTerminal();

// Two numbers that are equal for two names of one file (through links); nothing when the file does
// not exist or cannot be looked up.
std::optional<std::pair<unsigned long long, unsigned long long>> FileIdentity(
    const std::filesystem::path& path);

// Keeps the large blocks a batch allocates again and again with the process.
void KeepLargeAllocations();

// Registers a working folder that an interrupted run removes before it ends; the number to forget
// it by, or -1 when it cannot be registered (it is then only removed by its owner).
int RegisterWorkingFolder(const std::filesystem::path& folder);
void ForgetWorkingFolder(int slot);

}  // namespace rave::cli
