// How many pages the borehole-log sheet of a sounding takes. A page covers 200 mm of sheet at
// the document's depth scale and holds a fixed number of table rows; whichever runs out first
// decides the page count.
#pragma once

#include "ravelog/document/sounding_document.h"

namespace ravelog {

// Table rows on one page, from the rows-per-page choice in header slot 30: "1" 40, "2" 48,
// "3" 64, "4" 80, anything else 45.
int RowsPerPage(const SoundingDocument& document);

// The n of the depth scale 1:n in header slot 19 for page arithmetic: a value that does not
// parse to a positive number counts as 100.
long PageDepthScale(const SoundingDocument& document);

// At least 1: the larger of the pages needed for the depth of the last measured row and the
// pages needed for the row count.
int CountReportPages(const SoundingDocument& document);

// The same, and a current page beyond the count falls back to page 1.
int CountReportPages(const SoundingDocument& document, int& currentPage);

}  // namespace ravelog
