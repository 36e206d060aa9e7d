// The three parsers that turn a source log into a NormalizedLog:
//   - the sounding parser for Ravelog's .sdw files (kinds 300..303), which builds soil layers and
//     measured rows from the sounding's rows and conversion results;
//   - the sectioned parser for the .pdw, .ddw and .jdw logs (kinds 320, 450, 500), whose "$$A",
//     "$$C", "$$c", "$$G" and "$$E" sections already have the normalized layout; the column
//     working file is read with it too;
//   - the line parser for the older one-value-per-line borehole logs (kind 400).
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "common/soil_name_table.h"

#include "ravesect/document/section_document.h"
#include "ravesect/document/source_kind.h"

namespace ravesect {

// Source files are read with lines of at most 400 bytes (line end included).
inline constexpr std::size_t kSourceLineLimit = 400;

// Reads the sectioned layout line by line. "$$<c>" selects the section named by its third
// character and restarts the row count at 1; "A", "C", "c", "G", "E" lines fill the log within
// their row limits; "Z" lines fill fields 1..20 of the column when one is given (the column
// working file), else they are ignored; every other section is ignored.
class SectionedReader {
public:
    SectionedReader(NormalizedLog& log, PlacedColumn* column) : log_(&log), column_(column) {}
    // One line with its line end already removed.
    void ReadLine(std::string_view line);

private:
    NormalizedLog* log_;
    PlacedColumn* column_;
    char section_ = '\0';
    int counter_ = 1;
};

// The normalized log of a source file's bytes (cp932, or UTF-8 or UTF-16 read as cp932; a file
// with a character cp932 lacks gives an empty log), read with the parser of `kind`. For kinds 300
// and 302 the drawing attribute of the last measured row becomes "2"; for kind 320 the measured
// rows are dropped. An unknown kind gives an empty log. The soil names of a boring exchange XML
// are resolved through `jacicTable` (without one they draw no pattern); the names it does not
// know are added to `unknownSoilNames` when given. A sounding's layers keep the pattern numbers
// their rows store (the drawing resolves a simple layer's name where its number draws nothing).
NormalizedLog ParseSourceLog(SourceKind kind, std::string_view bytes,
                             const rave::SoilNameTable* jacicTable = nullptr,
                             std::vector<std::string>* unknownSoilNames = nullptr);

// The single parsers, for tests and fuzzing.
NormalizedLog ParseSoundingSource(SourceKind kind, std::string_view bytes);
NormalizedLog ParseSectionedSource(std::string_view bytes);
NormalizedLog ParseLineSource(std::string_view bytes);

}  // namespace ravesect
