// The pages a print or render run covers: "all", one page "N" or a range "A-B".
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace ravelog {

struct PageSelection {
    std::vector<int> pages;  // in order, each within 1..pageCount
    std::string error;       // why the text was refused (ASCII); empty when accepted
    bool ok() const { return error.empty(); }
};

// Reads the selection against a sheet of `pageCount` pages. Refused: anything but "all", a
// positive number or two positive numbers joined by "-" with the first not above the second, and
// pages beyond the sheet.
PageSelection SelectPages(std::string_view text, int pageCount);

}  // namespace ravelog
