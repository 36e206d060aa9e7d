// Text files that reach the programs from outside: a sounding saved again by an editor, a CSV
// saved by a spreadsheet as "CSV UTF-8", a log written on another system. The readers work in
// cp932 bytes; this turns such a file into them once, before any line is read.
//
// What the bytes are:
//   - a byte-order mark says it: UTF-8 (EF BB BF), UTF-16 little-endian (FF FE) or big-endian
//     (FE FF); no cp932 text starts with these bytes;
//   - without a mark, text that is valid UTF-8 over the whole file and holds multi-byte sequences
//     is UTF-8. Japanese cp932 text is almost never valid UTF-8: its kana and common kanji start
//     with bytes (0x81-0x9F) that UTF-8 never starts a character with. The one look-alike is a
//     run of half-width katakana, whose byte pairs can form two-byte UTF-8 sequences (ﾚｷ reads
//     as an Arabic letter): a file whose only multi-byte sequences are such pairs, one of which
//     reads as a character cp932 lacks, is taken as cp932;
//   - everything else is cp932 as it stands (pure ASCII is the same either way).
// Files the programs write are cp932 whatever they were read from.
#pragma once

#include <string>
#include <string_view>

#include "common/messages.h"

namespace rave {

enum class TextEncoding { kCp932, kUtf8, kUtf16Le, kUtf16Be };

// Why a text could not be turned into cp932.
struct ForeignTextProblem {
    int line = 0;            // from 1
    char32_t character = 0;  // a character cp932 has no form for; 0 for bytes that are malformed
    TextEncoding encoding = TextEncoding::kCp932;
};

struct ForeignText {
    // The text in cp932: the bytes themselves when they already were, else the storage handed in.
    // Empty when there is a problem.
    std::string_view cp932;
    TextEncoding encoding = TextEncoding::kCp932;
    bool byteOrderMark = false;
    bool ok = true;
    ForeignTextProblem problem;  // when not ok
};

// Decides what `bytes` are and gives them as cp932. `storage` holds the converted text when a
// conversion was needed; the result may point into `bytes` or `storage`, so both must outlive it.
ForeignText DecodeForeignText(std::string_view bytes, std::string& storage);

// Why the file cannot be read, as a message: the character itself is the argument, so it shows
// even though cp932 cannot hold it.
Message ForeignTextProblemMessage(const ForeignTextProblem& problem);
// The same in cp932 alone (the character named by its code), for texts shown in a field.
std::string ForeignTextProblemText(const ForeignTextProblem& problem);

}  // namespace rave
