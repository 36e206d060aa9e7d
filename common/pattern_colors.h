// The pattern colour table: which colour each soil pattern number is drawn in.
//
// The table is read from "PtnvcJG.ndx" in the install folder: one pair per line, the pattern
// number and the colour (0x00BBGGRR). The first pair with a number decides its colour; numbers
// without a pair are drawn black.
#pragma once

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace rave {

class MessageSink;

struct PatternColorPair {
    long patternNo = 0;
    long color = 0;  // 0x00BBGGRR, the same value as rave::ColorRef
};

class PatternColorTable {
public:
    static constexpr int kMaxPairs = 110;
    // The longest line the reader looks at, line end included.
    static constexpr std::size_t kLineLimit = 100;

    // The colour (0x00BBGGRR, the same `long` as rave::ColorRef) of the first pair with this
    // pattern number; black (0) when there is none.
    long PatternColor(long patternNo) const;

    // Replaces the table by the pairs of the file. Lines of one byte or less and lines holding
    // "[" or "{" (headings, comments) are skipped, as are lines whose first field is empty. The
    // colour reads "0x..." as hexadecimal, a leading 0 as octal, anything else as decimal.
    // Reading stops when the table is full. A file that cannot be opened shows the file-not-found
    // message and leaves the table as it was; the result tells whether the file was read.
    bool LoadPatternColors(const std::filesystem::path& path, MessageSink& messages);
    // The same rules applied to the bytes of a file already read.
    void LoadPatternColorBytes(std::string_view bytes);

    // Adds a pair at the end; false (nothing added) when the table is full.
    bool AddPair(long patternNo, long color);
    void Clear() { pairs_.clear(); }
    int Count() const { return static_cast<int>(pairs_.size()); }
    const std::vector<PatternColorPair>& Pairs() const { return pairs_; }

private:
    std::vector<PatternColorPair> pairs_;
};

// The colour as the program writes it: "0x%06x".
std::string FormatPatternColor(long color);

// The colour field's value with the automatic base (0x hexadecimal, leading 0 octal, else
// decimal); leading blanks are skipped and reading stops at the first character that does not
// belong to the number. Nothing readable gives 0.
long ParseColorValue(std::string_view text);

}  // namespace rave
