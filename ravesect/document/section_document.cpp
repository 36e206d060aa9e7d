// The section document's tables and their small rules.
#include "ravesect/document/section_document.h"

#include <memory>

#include "common/numbers.h"
#include "common/pattern_colors.h"
#include "common/text_fields.h"

namespace ravesect {

void PlacedColumn::Clear() {
    for (std::string& field : fields) {
        field.clear();
    }
}

double PlacedColumn::Distance() const {
    return rave::ParseDecimal(fields[colfield::kDistance]);
}

int PlacedColumn::Kind() const {
    return static_cast<int>(rave::ParseInteger(fields[colfield::kVersion]));
}

void LayerOutline::Clear() {
    number.clear();
    colour.clear();
    hatch.clear();
    lineMode.clear();
    points.clear();
}

bool LayerOutline::InUse() const {
    return rave::IsNumericStart(number) == 1 && rave::ParseInteger(number) > 0;
}

long LayerOutline::ColourValue() const {
    return rave::ParseColorValue(colour);
}

std::vector<int> LayerOutline::PointNumbers() const {
    std::vector<int> numbers;
    std::size_t start = 0;
    while (start < points.size() && numbers.size() < static_cast<std::size_t>(kLayerPointLimit)) {
        std::size_t comma = points.find(',', start);
        if (comma == std::string::npos) {
            comma = points.size();
        }
        const std::string_view item = std::string_view(points).substr(start, comma - start);
        if (rave::TrimBlanks(item).empty()) {
            break;
        }
        numbers.push_back(static_cast<int>(rave::ParseInteger(item)));
        start = comma + 1;
    }
    return numbers;
}

void LayerOutline::SetPointNumbers(const std::vector<int>& numbers) {
    points.clear();
    int count = 0;
    for (int n : numbers) {
        if (++count > kLayerPointLimit) {
            break;
        }
        points += std::to_string(n);
        points += ',';
    }
}

int LogSectionIndex(char marker) {
    for (int s = 0; s < kLogSectionCount; ++s) {
        if (kLogSections[static_cast<std::size_t>(s)].marker == marker) {
            return s;
        }
    }
    return -1;
}

NormalizedLog::NormalizedLog() = default;

LogRow* NormalizedLog::RowAt(int s, int k) {
    const LogSectionShape& shape = kLogSections.at(static_cast<std::size_t>(s));
    if (k < 1 || k > shape.maxRows) {
        return nullptr;
    }
    std::vector<LogRow>& rows = sections_[static_cast<std::size_t>(s)];
    while (rows.size() < static_cast<std::size_t>(k)) {
        rows.emplace_back(static_cast<std::size_t>(shape.fields));
    }
    return &rows[static_cast<std::size_t>(k - 1)];
}

int NormalizedLog::RowCount(int s) const {
    const std::vector<LogRow>& rows = Rows(s);
    int count = 0;
    for (const LogRow& row : rows) {
        if (row.empty() || row.front().empty()) {
            break;
        }
        ++count;
    }
    return count;
}

void NormalizedLog::Clear() {
    for (auto& rows : sections_) {
        rows.clear();
    }
}

bool NormalizedLog::Empty() const {
    for (int s = 0; s < kLogSectionCount; ++s) {
        if (RowCount(s) > 0) {
            return false;
        }
    }
    return true;
}

void NormalizedLog::ClearSection(int s) {
    sections_.at(static_cast<std::size_t>(s)).clear();
}

int SectionDocument::LastUsedSlot() const {
    for (int slot = kColumnSlots - 1; slot >= 0; --slot) {
        if (Column(slot).InUse()) {
            return slot;
        }
    }
    return -1;
}

int SectionDocument::LayerCount() const {
    int count = 0;
    while (count < kLayers && Layer(count + 1).InUse()) {
        ++count;
    }
    return count;
}

void SectionDocument::ClearSectionTables() {
    for (int slot = 1; slot <= kUserColumns; ++slot) {
        Column(slot).Clear();
    }
    for (int n = 1; n <= kLayers; ++n) {
        Layer(n).Clear();
    }
}

void SectionDocument::ClearColumns() {
    for (PlacedColumn& column : columns_) {
        column.Clear();
    }
    for (NormalizedLog& log : logs_) {
        log.Clear();
    }
}

void SectionDocument::ResetTitles() {
    for (TitleText& title : titles_) {
        title = TitleText{};
    }
}

void SectionDocument::ResetPointsAndLayers() {
    for (SectionPoint& point : points_) {
        point = SectionPoint{};
    }
    for (LayerOutline& layer : layers_) {
        layer.Clear();
    }
}

namespace {
std::unique_ptr<SectionDocument>& CurrentSectionHolder() {
    static std::unique_ptr<SectionDocument> document = std::make_unique<SectionDocument>();
    return document;
}
}  // namespace

SectionDocument& CurrentSection() {
    return *CurrentSectionHolder();
}

void ResetCurrentSection() {
    CurrentSectionHolder() = std::make_unique<SectionDocument>();
}

}  // namespace ravesect
