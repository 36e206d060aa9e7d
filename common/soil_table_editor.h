// The soil-name table dialogs as models: the JACIC dialog "JACIC版土質名図模様の設定・登録" and its
// reduced copy for the simple table. The dialog binds its widgets to a SoilTableEditor and does
// nothing else; the model keeps the list, the edit fields and the display settings, validates,
// names the messages and writes the master file back.
//
// The list shows the master file line by line: heading rows ("[第1群 土質名]", "{comment}") as
// they stand, soil rows as name, the two class marks and the two numbers. Writing creates the file
// anew from the list (at most 256 rows).
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/ravelog_settings.h"

namespace rave {

struct DriveMap;
class MessageSink;
class PatternColorTable;
class SoilNameTable;

enum class SoilTableVariant { kJacic, kSimple };

struct SoilTableListRow {
    bool isHeading = false;    // a group line or comment, written as it stands
    std::string name;          // the soil name, or the heading text
    bool sandy = false;        // the "砂質土" column holds "o"
    bool clayey = false;       // the "粘性土" column holds "o"
    std::string lineNumber;    // "線描No" (the simple table's "ﾊﾟﾀｰﾝNo."), empty when none
    std::string bitmapNumber;  // "ﾋﾞｯﾄﾏｯﾌﾟNo"
};

// The class digit written after each number: 1 for the sandy mark plus 2 for the clayey mark.
int ListRowClassDigit(const SoilTableListRow& row);

// A master file as the dialog lists it: every line of 3 bytes or more up to and including the
// "[終了" line. `headerNumber` receives field 3 of the first group line.
std::vector<SoilTableListRow> ParseSoilTableList(std::string_view bytes, int& headerNumber);

// The bytes SaveSoilNameTable writes: a heading row as it stands (the first group line followed
// by ", ,%d," with the header number), a soil row as name ",_," line-drawing number ","
// bitmap number "," with each non-empty number written "%ld.%d". Every row is written.
std::string FormatSoilTableList(const std::vector<SoilTableListRow>& rows, int headerNumber);

// Creates the file anew from the list; false when it cannot be written (the old file stays).
bool SaveSoilNameTable(const std::filesystem::path& path, const std::vector<SoilTableListRow>& rows,
                       int headerNumber);

// One row of the pattern list ("パターンNo一覧表"): the pattern number, its colour as written
// ("0x%06x") and the first soil name of group 1 that uses it ("地質例").
struct PatternListEntry {
    long patternNo = 0;
    long color = 0;
    std::string colorText;
    std::string exampleName;
};
std::vector<PatternListEntry> BuildPatternList(const PatternColorTable& colors, const SoilNameTable& table);

// What a preview button shows: the pattern drawn with DrawSoilPattern, or a bitmap stretched in.
struct PatternPreview {
    long patternNo = 0;  // 0 or negative: nothing to show
    bool drawBitmap = false;
    std::filesystem::path bitmapFile;
    int penWidth = 1;
    long color = 0;
};

class SoilTableEditor {
public:
    // The standard master file and bitmap folder names in the install folder.
    static constexpr const char* kJacicMasterFile = "WdtvxJG.mst";
    static constexpr const char* kSimpleMasterFile = "WdtvxCS.mst";
    static constexpr const char* kJacicBitmapFolder = "Jbptn";
    static constexpr const char* kSimpleBitmapFolder = "Cbptn";

    // Takes the display settings (lines 61..66) from `settings`; the master file is the standard
    // one of the variant unless the caller sets `masterPath` before Open.
    SoilTableEditor(SoilTableVariant variant, const RavelogSettings& settings,
                    const std::filesystem::path& installFolder);

    SoilTableVariant Variant() const { return variant_; }

    // Reads the master file into the list; a missing file shows the file-not-found message and
    // leaves the list empty. False when the file could not be read.
    bool Open(MessageSink& messages);

    const std::vector<SoilTableListRow>& Rows() const { return rows_; }
    int HeaderNumber() const { return headerNumber_; }

    // The selected list row (0-based), -1 for none.
    int Selected() const { return selected_; }
    void Select(int row);

    // The edit fields above the list.
    std::string editName;
    int editClass = 0;  // 0 "計算しない", 1 "砂質土", 2 "粘性土", 3 both
    std::string editLineNumber;
    std::string editBitmapNumber;

    // "↓挿入": the edit fields become a new row before the selected one (at the end when none is
    // selected). Refused with a message when the name is empty, a number is not a number, or the
    // list already holds 256 soil rows (headings and comments are not counted).
    bool Insert(MessageSink& messages);
    // "↓上書き": the edit fields replace the selected row. A group line is only replaced by a
    // group line (message otherwise).
    bool Overwrite(MessageSink& messages);
    // "↑編集": the selected row is copied into the edit fields.
    bool EditSelected();
    // "削除": removes the selected row; the selection moves to the row that took its place. A
    // group line is refused with a message: the rows after it would move into other groups.
    bool DeleteSelected(MessageSink& messages);
    // "↑" and "↓": move the selected row one place, the selection follows it.
    bool MoveSelectedUp();
    bool MoveSelectedDown();

    // A click in the pattern list puts its number into the pattern field.
    void PickPattern(long patternNo);
    // A pick in the bitmap list ("j10000", "c801", "3300") puts its number into the bitmap field
    // (the simple table's one pattern field).
    void PickBitmap(std::string_view choice);
    // "←適用": the pattern field (and the bitmap field of the JACIC table) go into the selected row.
    bool ApplyPattern();

    // The choices of the bitmap list: the special codes of the variant, then the numbers of the
    // "*.bmp" files of the bitmap folder's colour subfolder, in ascending order.
    std::vector<std::string> BitmapChoices() const;

    // "柱状図表示": line 61 (0 vector, 1 bitmap), 62 (0 colour, 1 monochrome), the line width
    // shown in the dialog (line 63 + 1), line 64 (1: mixed-soil marking off).
    int patternDisplay = 0;
    int monochrome = 0;
    std::string lineWidth = "1";
    int mixedMarking = 0;
    std::filesystem::path masterPath;
    // The bitmap folder as settings line 65 or 66 holds it: cp932 text, a Windows-form folder
    // ("C:\Kelvard\Sver5\Jbptn") or a native one.
    std::string bitmapFolder;
    // Where the drive letters of a Windows-form folder are on this machine; null: the folder text
    // is taken as a native path.
    const DriveMap* drives = nullptr;
    // The folder on this machine.
    std::filesystem::path NativeBitmapFolder() const;

    // "標準の設定": the standard display settings, master file and bitmap folder.
    void RestoreStandardSettings();
    // The pen width the line width field gives: 1 when it is empty or not positive.
    int PenWidth() const;
    // The preview of the edit fields' pattern (bitmap = the bitmap field).
    PatternPreview Preview(bool bitmapField, const PatternColorTable& colors) const;

    // OK: writes the master file ("保存できませんでした" when it cannot be created) and stores the
    // display settings and the bitmap folder into `settings` for the caller to save.
    bool Save(RavelogSettings& settings, MessageSink& messages);
    // The display settings alone, as Save stores them.
    void StoreDisplaySettings(RavelogSettings& settings) const;

private:
    std::optional<SoilTableListRow> RowFromEditFields(MessageSink& messages) const;

    SoilTableVariant variant_;
    std::filesystem::path installFolder_;
    std::vector<SoilTableListRow> rows_;
    int headerNumber_ = 0;
    int selected_ = -1;
};

}  // namespace rave
