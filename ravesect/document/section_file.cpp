// Splitting a .sqw file into the working files and joining them back.
#include "ravesect/document/section_file.h"

#include <vector>

#include "common/text_file.h"

namespace ravesect {

namespace {

bool Contains(std::string_view text, std::string_view part) {
    return text.find(part) != std::string_view::npos;
}

std::vector<std::string_view> SplitLines(std::string_view bytes) {
    std::vector<std::string_view> lines;
    rave::LineCursor cursor(bytes, kSectionLineLimit);
    std::string_view line;
    while (cursor.Next(line)) {
        lines.push_back(rave::StripLineEnd(line));
    }
    return lines;
}

void AppendLine(std::string& out, std::string_view line) {
    out += line;
    out += "\r\n";
}

// The column part of a section that was never placed: the left boundary alone.
std::string EmptyColumnPart(std::string_view settingsLine) {
    SectionDocument empty;
    empty.Column(0)[colfield::kDistance] = "0";
    return ColumnsBytes(empty, settingsLine);
}

}  // namespace

int LoadSectionBytes(SectionDocument& document, const WorkingFiles& files, std::string_view bytes,
                     rave::MessageSink& messages) {
    const std::vector<std::string_view> lines = SplitLines(bytes);
    std::size_t i = 0;

    std::string columns;
    std::string_view settingsLine;
    for (; i < lines.size(); ++i) {
        AppendLine(columns, lines[i]);
        if (i == 1) {
            settingsLine = lines[i];
        }
        if (Contains(lines[i], "$$Z END")) {
            ++i;
            break;
        }
    }

    std::string titles;
    for (; i < lines.size() && !Contains(lines[i], "$$Z PO"); ++i) {
        AppendLine(titles, lines[i]);
    }

    std::string pointsLayers;
    AppendLine(pointsLayers, "$$Z PO");
    int copied = 1;
    for (++i; i < lines.size(); ++i) {
        if (copied >= kPointsPartLineLimit) {
            messages.Show(rave::Message{0, "UnKnownErr:3000", {}});
            break;
        }
        AppendLine(pointsLayers, lines[i]);
        ++copied;
    }

    // Without its columns the section cannot be opened: the other working files keep the section
    // they hold, so a later save never joins parts of two sections.
    if (!rave::WriteFileAtomically(files.columns, columns)) {
        messages.Show(CannotOpenWorkingFileMessage(files.columns));
        return 0;
    }
    const std::pair<const std::filesystem::path*, std::string> rest[] = {
        {&files.titles, titles},
        {&files.pointsLayers, pointsLayers},
        {&files.settings, std::string(settingsLine) + "\r\n"},
    };
    for (const auto& [path, content] : rest) {
        if (!rave::WriteFileAtomically(*path, content)) {
            messages.Show(CannotOpenWorkingFileMessage(*path));
        }
    }
    document.modified = false;
    return 2;
}

int LoadSectionFile(SectionDocument& document, const WorkingFiles& files, const std::filesystem::path& path,
                    rave::MessageSink& messages) {
    const auto bytes = rave::ReadFileBytes(path);
    if (!bytes) {
        return 0;
    }
    const int result = LoadSectionBytes(document, files, *bytes, messages);
    if (result != 0) {
        document.pathName = path.string();
    }
    return result;
}

std::string JoinSectionFile(const SectionDocument& document, const WorkingFiles& files) {
    std::string settingsLine;
    if (const auto settings = rave::ReadFileBytes(files.settings)) {
        rave::LineCursor cursor(*settings, kSectionLineLimit);
        std::string_view line;
        if (cursor.Next(line)) {
            settingsLine = rave::StripLineEnd(line);
        }
    } else {
        settingsLine = FormatSettingsLine(document.settings);
    }

    std::string out;
    if (const auto columns = rave::ReadFileBytes(files.columns)) {
        const std::vector<std::string_view> lines = SplitLines(*columns);
        for (std::size_t i = 0; i < lines.size(); ++i) {
            AppendLine(out, i == 1 ? std::string_view(settingsLine) : lines[i]);
        }
        if (lines.size() == 1) {
            AppendLine(out, settingsLine);
        }
    } else {
        out += EmptyColumnPart(settingsLine);
    }

    // The titles as last committed (an open title dialog's rows are not saved before its OK),
    // like the points and layers below.
    if (const auto titles = rave::ReadFileBytes(files.titles)) {
        for (std::string_view line : SplitLines(*titles)) {
            AppendLine(out, line);
        }
    } else {
        out += TitleLinesBytes(document);
    }

    if (const auto pointsLayers = rave::ReadFileBytes(files.pointsLayers)) {
        for (std::string_view line : SplitLines(*pointsLayers)) {
            AppendLine(out, line);
        }
    } else {
        out += PointsLayersBytes(document);
    }
    return out;
}

bool SaveSectionFile(SectionDocument& document, const WorkingFiles& files, const std::filesystem::path& path,
                     rave::MessageSink& messages) {
    if (rave::IsReadOnlyFile(path)) {
        messages.Show(rave::Message{message_id::kCannotSave, rave::ReadOnlyFileText(), path.string()});
        return false;
    }
    if (const std::string failure = rave::WriteFilesAtomically({{path, JoinSectionFile(document, files)}});
        !failure.empty()) {
        // The message names the file and the system's reason (a full disk, a missing folder, no
        // permission), so a script's log says why the save failed.
        messages.Show(rave::Message{message_id::kCannotSave, "保存できませんでした\n( %1 )", failure});
        return false;
    }
    document.pathName = path.string();
    document.modified = false;
    return true;
}

}  // namespace ravesect
