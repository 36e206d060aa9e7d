// Reading the header of a source log for the placement dialog: its kind, the survey name, the
// point label, elevation kind, elevation, depth, water level, "-U" value and flag bits, and the
// groundwater records that fill the water-level list.
#pragma once

#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "common/messages.h"
#include "ravesect/document/source_kind.h"

namespace ravesect {

// Source headers are read with lines of at most 180 bytes (line end included).
inline constexpr std::size_t kSourceHeaderLineLimit = 180;
// Records kept of a kind-400 and of a kind-500 file.
inline constexpr int kLineLogRecordLimit = 36;
inline constexpr int kJacicLogRecordLimit = 50;
// Entries the water-level list holds; more stop the filling with string 4001.
inline constexpr int kWaterLevelListCapacity = 40;

namespace message_id {
inline constexpr int kSourceFileNotFound = 201;  // "ファイルが見つかりません"
inline constexpr int kNotLogFile = 202;          // not a borehole-log or sounding file
inline constexpr int kListFull = 4001;           // "これ以上データを扱えません"
}  // namespace message_id

// One groundwater observation: level (m, relative to the ground), observation date and two
// texts. "@N" (none) is kept as level "-0.6" with the text "無し", "@M" (not observed) as "-0.7"
// with "認められず".
struct GroundwaterRecord {
    std::string level;
    std::string date;
    std::string text;
    std::string extra;
};

struct SourceHeader {
    enum class Status { kRead, kNotFound, kNotAccepted };
    Status status = Status::kRead;
    SourceKind kind = kKindUnknown;
    std::string surveyName = "-";
    std::string label;
    std::string elevationKind;
    std::string elevation;
    std::string depth;
    std::string waterLevel;  // kind 450 names it in its header
    std::string uValue;
    int flagBits = 0;  // header line 62 + 2 x line 63 (sounding files)
    std::vector<GroundwaterRecord> records;

    // "%d  _%d": the kind and the flag bits, as the version box shows them.
    std::string VersionText() const;
};

// Why the bytes of a file whose first line names a Ravelog sounding (kinds 300..303) are not
// one after all, judged as Ravelog judges a file it opens: string 202 with the reason (nothing but
// the first line, bytes that are not text, no row with a depth). Empty for a sounding and for
// every other kind.
std::string SoundingSourceRefusal(SourceKind kind, std::string_view bytes);

// The header of a file's bytes (cp932, or UTF-8 or UTF-16 read as cp932). A first line of no known kind, or a
// sounding Ravelog would not open (SoundingSourceRefusal), gives status kNotAccepted and the survey name of
// string 202; a character cp932 lacks gives kNotAccepted with a survey name that names it.
SourceHeader ReadSourceHeader(std::string_view bytes);
// The header of a file; a file that cannot be opened gives kNotFound and the text of string 201.
SourceHeader ReadSourceHeaderFile(const std::filesystem::path& path);

// The entries of the water-level list made from the records: "%s  %s" (text and date) for a
// record whose text holds "無" or "認", else "%5.2f  %s" (level and date). More entries than the
// list holds stop the filling with string 4001.
std::vector<std::string> WaterLevelEntries(const std::vector<GroundwaterRecord>& records,
                                           rave::MessageSink& messages);

}  // namespace ravesect
