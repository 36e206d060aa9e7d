// The columns of the shown section in memory, and the drawing over them.
#include "ravesect/drawing/section_snapshot.h"

#include <optional>
#include <string>

#include "common/text_file.h"

namespace ravesect {

void SectionSnapshot::Load(const WorkingFiles& files) {
    std::error_code error;
    const bool regular = std::filesystem::is_regular_file(files.columns, error);
    const std::optional<std::string> bytes = regular ? rave::ReadFileBytes(files.columns) : std::nullopt;
    LoadColumns(files.columns, bytes ? std::string_view(*bytes) : std::string_view());
    found_ = bytes.has_value();
}

void SectionSnapshot::LoadColumns(const std::filesystem::path& columnsFile, std::string_view bytes) {
    columnsFile_ = columnsFile;
    ReadColumns(columns_, bytes);
    found_ = true;
}

SectionExtent DrawSnapshotColumnsAndOver(rave::DrawingSurface& surface, const SectionDocument& document,
                                         const SectionSnapshot& snapshot,
                                         const SectionDrawingResources& resources, const SectionPage& page) {
    if (!snapshot.ColumnsFileFound() && resources.messages != nullptr && document.LastUsedSlot() > 0) {
        resources.messages->Show(SourceNotFoundMessage(snapshot.ColumnsFile()));
    }
    return DrawSectionColumnsAndOver(surface, document, snapshot.Columns(), resources, page);
}

SectionExtent DrawSectionSnapshot(rave::DrawingSurface& surface, const SectionDocument& document,
                                  const SectionSnapshot& snapshot, const SectionDrawingResources& resources,
                                  bool printing, const SectionPage& page, const EditMarkerFunction& markers) {
    DrawSectionUnderColumns(surface, document, resources, printing, page, markers);
    return DrawSnapshotColumnsAndOver(surface, document, snapshot, resources, page);
}

}  // namespace ravesect
