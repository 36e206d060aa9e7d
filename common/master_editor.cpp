#include "common/master_editor.h"

#include <limits>
#include <system_error>
#include <utility>

#include "common/field_validation.h"
#include "common/format.h"
#include "common/master_files.h"
#include "common/messages.h"
#include "common/settings_files.h"

namespace rave {

MasterKind MasterKindOfMode(int mode) {
    return mode == 1 ? MasterKind::kShortTexts : MasterKind::kTechnicians;
}

MasterEditor::MasterEditor(MasterKind kind, const std::filesystem::path& masterPath,
                           const std::filesystem::path& installFolder)
    : kind_(kind), path_(masterPath), installFolder_(installFolder), rows_(kMasterRows) {}

std::string MasterEditor::Title() const {
    return kind_ == MasterKind::kShortTexts ? "記事短文マスタファイル" : "技術者マスタファイル";
}

bool MasterEditor::Open(MessageSink& messages) {
    rows_.assign(kMasterRows, std::string());
    beyondRows_.clear();
    selected_ = -1;
    changed_ = false;
    const auto entries = LoadMasterList(path_, std::numeric_limits<std::size_t>::max());
    if (!entries) {
        messages.Show(FileNotFoundMessage(path_));
        return false;
    }
    for (std::size_t i = 0; i < entries->size(); ++i) {
        if (i < rows_.size()) {
            rows_[i] = (*entries)[i];
        } else {
            beyondRows_.push_back((*entries)[i]);
        }
    }
    return true;
}

void MasterEditor::Select(int row) {
    selected_ = row >= 0 && row < kMasterRows ? row : -1;
}

bool MasterEditor::SetRowText(int row, std::string_view text, MessageSink& messages) {
    if (row < 0 || row >= kMasterRows) {
        return false;
    }
    if (!CheckStorableText(text, messages)) {
        return false;
    }
    rows_[static_cast<std::size_t>(row)] = std::string(text);
    selected_ = row;
    changed_ = true;
    return true;
}

bool MasterEditor::MoveSelectedUp() {
    if (selected_ < 1) {
        return false;
    }
    std::swap(rows_[static_cast<std::size_t>(selected_)], rows_[static_cast<std::size_t>(selected_ - 1)]);
    --selected_;
    changed_ = true;
    return true;
}

bool MasterEditor::MoveSelectedDown() {
    if (selected_ < 0 || selected_ + 1 >= kMasterRows) {
        return false;
    }
    std::swap(rows_[static_cast<std::size_t>(selected_)], rows_[static_cast<std::size_t>(selected_ + 1)]);
    ++selected_;
    changed_ = true;
    return true;
}

bool MasterEditor::DeleteSelected() {
    if (selected_ < 0) {
        return false;
    }
    rows_.erase(rows_.begin() + selected_);
    rows_.emplace_back();
    changed_ = true;
    return true;
}

std::optional<std::filesystem::path> MasterEditor::OldVersionFile() const {
    const auto folder = OldVersionFolder(installFolder_);
    if (!folder) {
        return std::nullopt;
    }
    return *folder / (kind_ == MasterKind::kShortTexts ? "K.mst" : "M.mst");
}

bool MasterEditor::CanImportOldVersion() const {
    const auto file = OldVersionFile();
    std::error_code error;
    return file && std::filesystem::is_regular_file(*file, error) &&
           !std::filesystem::equivalent(*file, path_, error);
}

bool MasterEditor::ImportOldVersion(MessageSink& messages) {
    if (!CanImportOldVersion()) {
        return false;
    }
    const int added = ImportOldVersionMaster(rows_, *OldVersionFile(), messages);
    if (added > 0) {
        changed_ = true;
    }
    return added > 0;
}

bool MasterEditor::Save(MessageSink& messages) {
    std::vector<std::string> written = rows_;
    bool keepBeyond = false;
    if (!beyondRows_.empty()) {
        keepBeyond =
            messages.AskYesNo(Message{0,
                                      "このファイルには表示されていない81行目以降のデータが %1 件あります.\n"
                                      "それらも残して保存しますか？\n(「いいえ」で81行目以降は削除されます)",
                                      FormatText("%d", static_cast<int>(beyondRows_.size()))});
        if (keepBeyond) {
            written.insert(written.end(), beyondRows_.begin(), beyondRows_.end());
        }
    }
    if (!SaveMasterList(path_, written, messages)) {
        return false;
    }
    if (!keepBeyond) {
        beyondRows_.clear();
    }
    changed_ = false;
    return true;
}

}  // namespace rave
