// New, Open, Save and Save As of the section document.
#include "ravesect/document/section_commands.h"

#include <cctype>

#include "common/path_text.h"
#include "common/text_file.h"
#include "ravesect/document/section_file.h"
#include "ravesect/document/section_file_verdict.h"

namespace ravesect {

namespace {

constexpr std::size_t kOpenFolderLineLimit = 500;

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(a[i])) !=
            std::tolower(static_cast<unsigned char>(b[i]))) {
            return false;
        }
    }
    return true;
}

bool OpenSection(SectionDocument& document, const WorkingFiles& files, const std::filesystem::path& file,
                 rave::MessageSink& messages) {
    const auto bytes = rave::ReadFileBytes(file);
    if (!bytes) {
        return false;  // the working files stay as they were
    }
    return OpenSectionBytes(document, files, file, *bytes, messages);
}

}  // namespace

bool OpenSectionBytes(SectionDocument& document, const WorkingFiles& files, const std::filesystem::path& file,
                      std::string_view bytes, rave::MessageSink& messages) {
    // A file that is not a section leaves the working files and the document's name alone.
    const SectionVerdict verdict = JudgeSectionBytes(bytes);
    if (verdict != SectionVerdict::kSection) {
        messages.Show(NotSectionFileMessage(verdict, file));
        return false;
    }
    document.ClearSectionTables();
    if (LoadSectionBytes(document, files, bytes, messages) == 0) {
        ReloadSectionDocument(document, files);
        return false;
    }
    document.pathName = file.string();
    document.settings = SectionSettings{};
    ReloadSectionDocument(document, files);
    return true;
}

std::filesystem::path OpenFolderFilePath(const std::filesystem::path& installFolder) {
    return installFolder / "FileQo.ndx";
}

OpenFolderFile ReadOpenFolderFile(const std::filesystem::path& installFolder) {
    OpenFolderFile result;
    if (const auto lines = rave::ReadTextLines(OpenFolderFilePath(installFolder), kOpenFolderLineLimit)) {
        if (!lines->empty()) {
            result.folder = (*lines)[0];
        }
        if (lines->size() > 1) {
            result.secondLine = (*lines)[1];
        }
    }
    return result;
}

bool WriteOpenFolderFile(const std::filesystem::path& installFolder, const OpenFolderFile& file) {
    return rave::WriteFileAtomically(OpenFolderFilePath(installFolder),
                                     rave::JoinCrLf({file.folder, file.secondLine}));
}

std::string UntitledName() {
    return "無題";
}

void NewSection(SectionDocument& document, const WorkingFiles& files,
                const std::filesystem::path& installFolder, const NativeName& nativeName) {
    const std::string untitled = nativeName ? nativeName(UntitledName()) : UntitledName();
    const OpenFolderFile openFolder = ReadOpenFolderFile(installFolder);
    document.pathName = openFolder.folder.size() > 1
                            ? (rave::PathFromUtf8(openFolder.folder) / rave::PathFromUtf8(untitled)).string()
                            : untitled;
    DeleteWorkingFiles(files);
    document.ClearSectionTables();
    // The scale, ruler and page settings stay: a new section is usually drawn like the last one.
    ReloadSectionDocument(document, files);
    document.modified = false;
}

bool OpenSectionFromMenu(SectionDocument& document, const WorkingFiles& files,
                         const std::filesystem::path& installFolder, const std::filesystem::path& file,
                         rave::MessageSink& messages) {
    OpenFolderFile openFolder = ReadOpenFolderFile(installFolder);
    openFolder.folder = file.parent_path().string();
    const bool loaded = OpenSection(document, files, file, messages);
    // Remembering the folder is a convenience; a read-only install folder does not stop the open.
    WriteOpenFolderFile(installFolder, openFolder);
    return loaded;
}

bool OpenSectionThroughFramework(SectionDocument& document, const WorkingFiles& files,
                                 const std::filesystem::path& file, rave::MessageSink& messages) {
    return OpenSection(document, files, file, messages);
}

bool CanSaveInPlace(const SectionDocument& document) {
    const std::string& path = document.pathName;
    if (path.empty() || path.back() == '.') {
        return false;
    }
    const std::string name = rave::PathFromUtf8(path).filename().string();
    const std::size_t dot = name.rfind('.');
    if (dot == std::string::npos) {
        return false;
    }
    const std::string_view extension = std::string_view(name).substr(dot + 1);
    return extension.size() >= 2 && EqualsIgnoringCase(extension, "sqw");
}

SaveResult SaveSection(SectionDocument& document, const WorkingFiles& files, rave::MessageSink& messages) {
    if (!CanSaveInPlace(document)) {
        return SaveResult::kNeedsSaveAs;
    }
    return SaveSectionFile(document, files, rave::PathFromUtf8(document.pathName), messages)
               ? SaveResult::kSaved
               : SaveResult::kFailed;
}

std::string ProposedSaveAsName(const std::string& pathName) {
    if (pathName.size() > 4 &&
        EqualsIgnoringCase(std::string_view(pathName).substr(pathName.size() - 4), ".jqw")) {
        return pathName.substr(0, pathName.size() - 4) + ".sqw";
    }
    return pathName;
}

std::filesystem::path SaveAsTargetPath(const std::filesystem::path& chosen) {
    std::string text = chosen.string();
    if (!text.empty() && text.back() == '.') {
        text.pop_back();
    }
    std::filesystem::path target = rave::PathFromUtf8(text);
    if (!target.has_extension()) {
        target += ".sqw";
    }
    return target;
}

SaveResult SaveSectionAs(SectionDocument& document, const WorkingFiles& files,
                         const std::filesystem::path& chosen, rave::MessageSink& messages) {
    return SaveSectionFile(document, files, SaveAsTargetPath(chosen), messages) ? SaveResult::kSaved
                                                                                : SaveResult::kFailed;
}

}  // namespace ravesect
