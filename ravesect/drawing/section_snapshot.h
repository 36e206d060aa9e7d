// The section as the window shows it, held in memory so that painting reads no file.
//
// The window loads it from the column working file whenever the program has written that file or
// the section was replaced (New, Open, a placement, an undo): the placed columns with their
// normalised logs, as Save and the other programs see them. The settings, titles, points and
// layers are drawn from the window's document itself, which carries the open editing dialogs'
// pending edits and a dragged point.
#pragma once

#include <filesystem>

#include "ravesect/document/section_document.h"
#include "ravesect/document/working_files.h"
#include "ravesect/drawing/section_drawing.h"

namespace ravesect {

class SectionSnapshot {
public:
    // Reads the column working file of `files`. A missing file leaves no columns and is kept in
    // mind, so the drawing names it (string 4010) while the section has columns.
    void Load(const WorkingFiles& files);
    // The same from bytes already in memory (the file's content).
    void LoadColumns(const std::filesystem::path& columnsFile, std::string_view bytes);

    const SectionDocument& Columns() const { return columns_; }
    bool ColumnsFileFound() const { return found_; }
    const std::filesystem::path& ColumnsFile() const { return columnsFile_; }

private:
    SectionDocument columns_;
    std::filesystem::path columnsFile_;
    bool found_ = false;
};

// Draws `document` (settings, titles, points, layers) over the snapshot's columns, as
// DrawSection does; a missing column file is named as DrawSectionFromColumnsFile names it.
SectionExtent DrawSectionSnapshot(rave::DrawingSurface& surface, const SectionDocument& document,
                                  const SectionSnapshot& snapshot, const SectionDrawingResources& resources,
                                  bool printing, const SectionPage& page,
                                  const EditMarkerFunction& markers = {});

// Its second half, the columns and everything over them (see DrawSectionColumnsAndOver), with the
// missing column file named first.
SectionExtent DrawSnapshotColumnsAndOver(rave::DrawingSurface& surface, const SectionDocument& document,
                                         const SectionSnapshot& snapshot,
                                         const SectionDrawingResources& resources, const SectionPage& page);

}  // namespace ravesect
