// The placement dialog as a model: the list of up to 25 log files with their distances and
// drawing options, the edit boxes below it, the details dialog, and storing the list into the
// document on OK. The dialog window only binds its controls to this model.
#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "common/messages.h"
#include "ravesect/document/section_document.h"
#include "ravesect/document/source_header.h"
#include "ravesect/document/working_files.h"

namespace ravesect {

namespace message_id {
inline constexpr int kNoData = 903;           // "データが無い、または不正です."
inline constexpr int kNumberAbnormal = 4007;  // "数値が異常です"
inline constexpr int kMaximumRows = 902;  // "最大行数です. 追加できません." and the 25 columns
inline constexpr int kSameData = 908;  // "同じ %1データがあります.\n修正なら上書きしてください."
inline constexpr int kCancelChanged = 132;  // cancel after changes?
}  // namespace message_id

// Turns the cp932 path text of a placed column into the file to open.
using SourcePathResolver = std::function<std::filesystem::path(std::string_view cp932Path)>;
// The bytes as they stand: paths in the document are native names already.
std::filesystem::path PathFromBytes(std::string_view cp932Path);

// The longest source path a placed column keeps, in cp932 bytes: the path is one line of the
// section file, whose lines are read up to kSectionLineLimit bytes with their CR LF. A longer
// path would come back cut short and name no file.
inline constexpr std::size_t kSourcePathLimit = kSectionLineLimit - 2;
// The message that refuses a longer path, naming the limit; nothing when the path fits.
std::optional<rave::Message> SourcePathTooLongMessage(std::string_view pathText);

// "FileQv.ndx" in the install folder: the folder of the last chosen source file and a second
// line ("*.sdw" at first) kept as read.
struct SourceFolderFile {
    std::string folder;
    std::string secondLine = "*.sdw";
};
std::filesystem::path SourceFolderFilePath(const std::filesystem::path& installFolder);
SourceFolderFile ReadSourceFolderFile(const std::filesystem::path& installFolder);
bool WriteSourceFolderFile(const std::filesystem::path& installFolder, const SourceFolderFile& file);

// The edit controls below the list.
struct PlacementBoxes {
    std::string surveyName;  // shown only
    std::string distance;
    std::string fileName;
    std::string label;
    int markCode = 0;   // 0 left of the pattern, 1 right of it, 2 inside the N-value frame
    std::string markN;  // the "N=" box, used for code 2 only
    std::string waterLevel;
    std::vector<std::string> waterLevelChoices;
    std::string elevationKind;
    std::string elevation;
    std::string depth;
    std::string frameOrder;
    std::string flagPosition = "1";
    std::string flagFlip;
    std::string graphMirror;
    std::string version;
    std::string uValue;
    std::string ndDecimals;

    bool MarkNEnabled() const { return markCode == 2; }
};

// The details dialog ("詳細設定"): frame order, flag position, flip, mirror and Nd decimals.
struct DetailsSettings {
    int frameOrder = 0;    // 0..5; 4 and 5 only for kinds 500 and 320
    int flagPosition = 1;  // 0..3
    bool flagFlip = false;
    bool graphMirror = false;
    std::string ndDecimals = "0";
    SourceKind kind = kKindUnknown;

    bool FrameOrderEnabled(int code) const;
    // "標準の設定".
    void SetDefaults();
};

// The ruler title proposed when the section has none: the elevation kind of the first row that
// has one, followed by "(m)"; empty when no row has one.
std::string DefaultRulerTitle(const std::vector<PlacedColumn>& rows);

class PlacementList {
public:
    // Fills the list from slots 1..25 of the document (a closing blank column that the last
    // placement added is left out, so it is not kept as a column of the user's), the ruler title
    // and converted-N plot from the settings, and the remembered folder from "FileQv.ndx" when an
    // install folder is given.
    void Open(const SectionDocument& document, const std::optional<std::filesystem::path>& installFolder);

    // "開く": reads the header of the file into the boxes. `pathText` is the path as the
    // document keeps it (cp932); `resolve` finds the file to read. False, with the message and
    // the boxes as they were, when the section could not keep the path.
    bool OpenSource(std::string_view pathText, const SourcePathResolver& resolve,
                    rave::MessageSink& messages);

    // "データ追加": checks the boxes and appends a row. False (message shown) when refused.
    bool Add(rave::MessageSink& messages);
    // "上書き": replaces the selected row with the boxes (its fields 16..20 are kept).
    bool Overwrite(rave::MessageSink& messages);
    // "削除": removes the selected row.
    bool Delete();
    // In-place editing of one cell (fields 1..15).
    void EditCell(int row, int field, std::string_view text);
    // Selecting a row shows it in the boxes.
    void Select(int row);

    // The details dialog for the selected row (or the boxes when none is selected), and its OK.
    DetailsSettings OpenDetails() const;
    void ApplyDetails(const DetailsSettings& details);

    // Cancel: true when the dialog may close (asks string 132 after changes to a non-empty list).
    bool ConfirmCancel(rave::MessageSink& messages) const;

    // OK: moves the rows into slots 1.. in ascending distance (equal distances keep their order
    // and are listed in a warning), empties the remaining slots, takes the ruler title and the
    // converted-N plot into the settings and writes "FileQv.ndx" when an install folder is given.
    void Store(SectionDocument& document, const std::optional<std::filesystem::path>& installFolder,
               rave::MessageSink& messages) const;

    std::vector<PlacedColumn> rows;
    int selected = -1;  // index into rows, -1 for none
    bool changed = false;
    PlacementBoxes boxes;
    std::string rulerTitle;
    bool convertedNPlot = false;
    SourceFolderFile sourceFolder;

private:
    // The boxes as a row, or nothing after a refusal (903, 4007, a path too long).
    std::optional<PlacedColumn> RowFromBoxes(rave::MessageSink& messages) const;
};

}  // namespace ravesect
