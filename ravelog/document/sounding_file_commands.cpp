// Open, Save and Save As of the sounding document.
#include "ravelog/document/sounding_file_commands.h"

#include <cctype>

#include "common/foreign_text.h"
#include "common/path_text.h"
#include "common/text_file.h"
#include "ravelog/document/sounding_file_verdict.h"

namespace ravelog {

namespace {

constexpr std::size_t kLastFolderLineLimit = 99;

void ShowFileNotFound(rave::MessageSink& messages, const std::filesystem::path& file) {
    messages.Show(
        rave::Message{message_id::kFileNotFound, "ファイルが見つかりません\n( %1 )", file.string()});
}

}  // namespace

std::optional<std::string> ReadFileForOpen(rave::MessageSink& messages, const std::filesystem::path& file) {
    rave::InputFileBytes input = rave::ReadInputFile(file);
    if (input.refusal == rave::InputRefusal::kMissing) {
        ShowFileNotFound(messages, file);
    } else if (!input.bytes) {
        messages.Show(rave::Message{0, rave::InputRefusalText(input.refusal) + "\n( %1 )", file.string()});
    }
    if (!input.bytes) {
        return std::nullopt;
    }
    // A sounding saved again by an editor may be UTF-8 or UTF-16: it is read as the cp932 it
    // held, or refused naming the character cp932 cannot hold.
    std::string converted;
    const rave::ForeignText text = rave::DecodeForeignText(*input.bytes, converted);
    if (!text.ok) {
        messages.Show(rave::ForeignTextProblemMessage(text.problem));
        return std::nullopt;
    }
    if (text.encoding != rave::TextEncoding::kCp932) {
        input.bytes = std::move(converted);
    }
    return std::move(input.bytes);
}

namespace {

// Reads and recognises the file; on success the document holds it, is named after it and counts
// as unmodified, and the user hears of rows it cannot use in full. A file that is not a sounding (binary, or
// nothing usable read from it) leaves the document and its name as they were, so Save can never write an
// empty sheet over it.
SoundingFileVersion OpenSounding(SoundingDocument& document, rave::MessageSink& messages,
                                 const std::filesystem::path& file, const SoundingReadLimits& limits) {
    const auto bytes = ReadFileForOpen(messages, file);
    if (!bytes) {
        return kVersionUnknown;
    }
    SoundingDocument read;
    int rowsLeftOut = 0;
    const SoundingFileVersion version = ReadSoundingBytes(read, *bytes, limits, &rowsLeftOut);
    if (JudgeSoundingFile(*bytes, version, read) != SoundingVerdict::kSounding) {
        ShowNotSoundingFile(messages);
        return kVersionUnknown;
    }
    const UnusedRowNotes notes = NoteUnusedRows(read, rowsLeftOut);
    AdoptOpenedSounding(document, std::move(read), file);
    ShowUnusedRows(messages, notes);
    return version;
}

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

// Writes the document to `path` without ever leaving a half-written file there.
SaveResult WriteDocumentTo(SoundingDocument& document, rave::MessageSink& messages,
                           const std::filesystem::path& path) {
    if (rave::IsReadOnlyFile(path)) {
        messages.Show(rave::Message{message_id::kCannotSave, rave::ReadOnlyFileText(), path.string()});
        return SaveResult::kFailed;
    }
    const std::string previousFinalDepth = document.header[slot::kFinalDepth];
    const std::string bytes = WriteSoundingFile(document);
    if (const std::string failure = rave::WriteFilesAtomically({{path, bytes}}); !failure.empty()) {
        // The document stays as it was before the attempt. The message names the file and the
        // system's reason (a full disk, a missing folder, no permission).
        document.header[slot::kFinalDepth] = previousFinalDepth;
        messages.Show(rave::Message{message_id::kCannotSave, "保存できませんでした\n( %1 )", failure});
        return SaveResult::kFailed;
    }
    document.pathName = path.string();
    document.modified = false;
    return SaveResult::kSaved;
}

}  // namespace

std::filesystem::path LastFolderFilePath(const std::filesystem::path& installFolder) {
    return installFolder / "FileV.ndx";
}

LastFolderFile ReadLastFolderFile(const std::filesystem::path& installFolder) {
    LastFolderFile result;
    const auto lines = rave::ReadTextLines(LastFolderFilePath(installFolder), kLastFolderLineLimit);
    if (lines) {
        if (!lines->empty()) {
            result.folder = (*lines)[0];
        }
        if (lines->size() > 1) {
            result.secondLine = (*lines)[1];
        }
    }
    return result;
}

bool WriteLastFolderFile(const std::filesystem::path& installFolder, const LastFolderFile& lastFolder) {
    return rave::WriteFileAtomically(LastFolderFilePath(installFolder),
                                     rave::JoinCrLf({lastFolder.folder, lastFolder.secondLine}));
}

SoundingFileVersion OpenSoundingFromMenu(SoundingDocument& document, rave::MessageSink& messages,
                                         const std::filesystem::path& file,
                                         const std::optional<std::filesystem::path>& installFolder) {
    const SoundingFileVersion version = OpenSounding(document, messages, file, kMenuOpenLimits);
    if (version != kVersionUnknown && installFolder) {
        LastFolderFile lastFolder = ReadLastFolderFile(*installFolder);
        lastFolder.folder = file.parent_path().string();
        // Remembering the folder is a convenience; a read-only install folder does not make the
        // open fail.
        WriteLastFolderFile(*installFolder, lastFolder);
    }
    return version;
}

SoundingFileVersion OpenSoundingThroughFramework(SoundingDocument& document, rave::MessageSink& messages,
                                                 const std::filesystem::path& file) {
    return OpenSounding(document, messages, file, kFrameworkOpenLimits);
}

void ShowNotSoundingFile(rave::MessageSink& messages) {
    messages.Show(
        rave::Message{message_id::kNotSoundingFile, "スウェーデンデータファイルではありません", {}});
}

void AdoptOpenedSounding(SoundingDocument& document, SoundingDocument&& read,
                         const std::filesystem::path& file) {
    document = std::move(read);
    document.pathName = file.string();
    document.modified = false;
    ApplyDefaultTitles(document);
}

void ApplyDefaultTitles(SoundingDocument& document) {
    // Lengths of document texts are byte counts: a title of one double-byte character is kept.
    for (int n : {slot::kTitleFormat1, slot::kTitleFormat2}) {
        if (document.header[n].size() <= 1) {
            document.header[n] = "スウェーデン式サウンディング試験";
        }
    }
}

bool CanSaveInPlace(const SoundingDocument& document) {
    if (document.pathName.empty()) {
        return false;
    }
    const std::string title = rave::PathFromUtf8(document.pathName).filename().string();
    return title.size() >= 3 && EqualsIgnoringCase(std::string_view(title).substr(title.size() - 3), "sdw");
}

SaveResult SaveSounding(SoundingDocument& document, rave::MessageSink& messages) {
    if (!CanSaveInPlace(document)) {
        return SaveResult::kNeedsSaveAs;
    }
    return WriteDocumentTo(document, messages, rave::PathFromUtf8(document.pathName));
}

std::filesystem::path SaveAsTargetPath(const std::filesystem::path& chosen) {
    std::string text = chosen.string();
    if (!text.empty() && text.back() == '.') {
        text.pop_back();
    }
    std::filesystem::path target = rave::PathFromUtf8(text);
    if (!target.has_extension()) {
        target += ".sdw";
    }
    return target;
}

SaveResult SaveSoundingAs(SoundingDocument& document, rave::MessageSink& messages,
                          const std::filesystem::path& chosen) {
    const std::filesystem::path target = SaveAsTargetPath(chosen);
    const std::string extension = target.extension().string();  // with its leading point
    if (!EqualsIgnoringCase(extension, ".sdw")) {
        messages.Show(rave::Message{0, "拡張子を sdw(SDW)にして下さい", {}});
        return SaveResult::kWrongExtension;
    }
    return WriteDocumentTo(document, messages, target);
}

}  // namespace ravelog
