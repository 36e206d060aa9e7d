// The master-file dialog "マスタファイル" as a model: 80 rows of one column, in-place editing,
// moving and deleting rows, merging the previous version's list, saving with the duplicate report.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace rave {

class MessageSink;

enum class MasterKind { kTechnicians, kShortTexts };

// Mode 1 edits the short-text master, any other value the technician master.
MasterKind MasterKindOfMode(int mode);

class MasterEditor {
public:
    // `masterPath` is the file to edit (a setting that starts at the install folder's "M.mst" or
    // "K.mst"); the old-version file is looked for in OldVersionFolder(installFolder).
    MasterEditor(MasterKind kind, const std::filesystem::path& masterPath,
                 const std::filesystem::path& installFolder);

    MasterKind Kind() const { return kind_; }
    // "技術者マスタファイル" or "記事短文マスタファイル" (cp932).
    std::string Title() const;
    const std::filesystem::path& Path() const { return path_; }

    // Fills the 80 rows from the file (later entries are kept aside); a file that cannot be
    // opened shows the file-not-found message and the rows stay empty.
    bool Open(MessageSink& messages);

    const std::vector<std::string>& Rows() const { return rows_; }
    int Selected() const { return selected_; }
    void Select(int row);

    // Leaving the in-place edit field: the text goes into the row, which stays selected. A text
    // holding a line break is refused with a message (the file holds one entry per line).
    bool SetRowText(int row, std::string_view text, MessageSink& messages);
    // "↑", "↓": move the selected row one place; "削除": remove it (an empty row is appended).
    bool MoveSelectedUp();
    bool MoveSelectedDown();
    bool DeleteSelected();

    // "Ver.4 追加" is enabled only when the old-version file exists.
    std::optional<std::filesystem::path> OldVersionFile() const;
    bool CanImportOldVersion() const;
    // Merges the old-version file; true when anything was added.
    bool ImportOldVersion(MessageSink& messages);
    bool Changed() const { return changed_; }

    // Entries of the file past the 80 rows: not shown, and kept by Save unless the user agrees
    // to drop them.
    const std::vector<std::string>& EntriesPast80() const { return beyondRows_; }

    // OK: saves the rows (duplicates reported); false when the file could not be written. When
    // the file held more than 80 entries, the user is asked first whether to keep the rest
    // (yes: they follow the 80 rows in the file; no: they are dropped).
    bool Save(MessageSink& messages);

private:
    MasterKind kind_;
    std::filesystem::path path_;
    std::filesystem::path installFolder_;
    std::vector<std::string> rows_;
    std::vector<std::string> beyondRows_;
    int selected_ = -1;
    bool changed_ = false;
};

}  // namespace rave
