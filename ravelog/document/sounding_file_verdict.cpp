// Whether a file that was read is a sounding at all.
#include "ravelog/document/sounding_file_verdict.h"

#include "common/cp932.h"
#include "common/numbers.h"
#include "common/text_verdict.h"

namespace ravelog {

namespace {

// The titles of formats 1 and 2 do not count: opening gives empty ones the standard title.
bool HasHeaderData(const SoundingDocument& document) {
    for (int n = 1; n <= kHeaderSlots; ++n) {
        if (n != slot::kTitleFormat1 && n != slot::kTitleFormat2 && !document.header[n].empty()) {
            return true;
        }
    }
    return false;
}

}  // namespace

SoundingVerdict JudgeSoundingFile(std::string_view bytes, SoundingFileVersion version,
                                  const SoundingDocument& read) {
    if (!IsReadableVersion(version)) {
        return SoundingVerdict::kUnknownVersion;
    }
    if (rave::FindBinaryByte(bytes) != std::string_view::npos) {
        return SoundingVerdict::kNotText;
    }
    const bool hasRows = read.RowCount() > 0;
    if (!hasRows && read.LastUsedRow() > 0) {
        return SoundingVerdict::kRowsUnreadable;
    }
    if (!hasRows && !HasHeaderData(read)) {
        return SoundingVerdict::kNothingUsable;
    }
    return SoundingVerdict::kSounding;
}

SoundingVerdict JudgeSoundingBytes(std::string_view bytes) {
    SoundingDocument read;
    const SoundingFileVersion version = ReadSoundingBytes(read, bytes, kFrameworkOpenLimits);
    return JudgeSoundingFile(bytes, version, read);
}

std::string SoundingVerdictText(SoundingVerdict verdict) {
    switch (verdict) {
        case SoundingVerdict::kSounding:
            return {};
        case SoundingVerdict::kUnknownVersion:
            return "スウェーデンデータファイルではありません";
        case SoundingVerdict::kNotText:
            return "テキストではないバイトを含みます";
        case SoundingVerdict::kNothingUsable:
            return "ヘッダも測定データもありません";
        case SoundingVerdict::kRowsUnreadable:
            return "深度のある測定データが1行もありません";
    }
    return {};
}

namespace {

// The row editor's message for an entry without a usable depth.
constexpr int kNoDataMessage = 903;
// A depth shown in a note is cut to this many bytes: the note names the row, not the whole text.
constexpr std::size_t kShownDepthBytes = 20;

}  // namespace

UnusedRowNotes NoteUnusedRows(const SoundingDocument& read, int rowsLeftOut) {
    UnusedRowNotes notes;
    if (rowsLeftOut > 0) {
        notes.rowsLeftOut = "測定データは " + std::to_string(kMaxRows) + " 行までです。" +
                            std::to_string(kMaxRows + 1) + " 行目から後の " + std::to_string(rowsLeftOut) +
                            " 行は読み込んでいません";
    }
    const int depthRows = read.RowCount();
    const int lastUsed = read.LastUsedRow();
    if (lastUsed > depthRows) {
        const int row = depthRows + 1;
        const std::string& depth = read.Row(row)[field::kDepth];
        const std::string where = std::to_string(row) + " 行目";
        notes.rowWithoutDepth =
            (depth.empty() ? where + "に深度がありません"
                           : where + "の深度「" + std::string(rave::Cp932Prefix(depth, kShownDepthBytes)) +
                                 "」が数値ではありません") +
            "。図と計算は " + std::to_string(depthRows) + " 行目までです（" + where + "から " +
            std::to_string(lastUsed) + " 行目まではファイルに残ります）";
    }
    return notes;
}

void ShowUnusedRows(rave::MessageSink& messages, const UnusedRowNotes& notes) {
    if (!notes.rowsLeftOut.empty()) {
        messages.Show(rave::Message{0, notes.rowsLeftOut, {}});
    }
    if (!notes.rowWithoutDepth.empty()) {
        messages.Show(
            rave::Message{kNoDataMessage, "データが無い、または不十分です.\n" + notes.rowWithoutDepth, {}});
    }
}

}  // namespace ravelog
