// The report view's paging state: which page of the sheet is shown and which format, and the
// rules of the paging commands and keys. Kept apart from the window so the command line, the
// printer loop and the tests share the same rules.
#pragma once

#include "ravelog/document/sounding_document.h"

namespace ravelog {

struct ReportViewState {
    int currentPage = 1;
    bool printing = false;  // set only while one printer page is drawn; paging does nothing then
    int reportFormat = 0;   // 0, 1, 2 for formats 1, 2, 3
};

// The format in header slot 31, clamped to 0..2.
int ReportFormatOf(const SoundingDocument& document);

// The format commands: set the view's format and header slot 31.
void SelectReportFormat(SoundingDocument& document, ReportViewState& state, int format);

// Next page (command 32802) and previous page (32801): a current page beyond the page count
// first falls back to 1; neither wraps round. True when the page changed.
bool GoToNextPage(const SoundingDocument& document, ReportViewState& state);
bool GoToPreviousPage(const SoundingDocument& document, ReportViewState& state);

enum class PagingKey { kPageUp, kUp, kPageDown, kDown, kOther };

// Paging keys of the view: Page Up / Up go back from page 2 on, Page Down / Down go on while
// there is a next page. True when the page changed.
bool HandlePagingKey(const SoundingDocument& document, ReportViewState& state, PagingKey key);

// The paging commands are enabled exactly when the sheet has more than one page.
bool PagingEnabled(const SoundingDocument& document);

}  // namespace ravelog
