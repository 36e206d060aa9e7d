// The layer dialog's rows, edit boxes and their rules.
#include "ravesect/editing/layer_list.h"

#include <set>
#include <utility>

#include "common/cp932.h"
#include "common/field_validation.h"
#include "common/format.h"
#include "common/numbers.h"
#include "common/pattern_colors.h"
#include "common/text_fields.h"
#include "ravesect/editing/editing_messages.h"
#include "ravesect/editing/point_editing.h"

namespace ravesect {

namespace {

constexpr std::size_t kShownPointCharacters = 50;

bool IsHexDigit(char c) {
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

// "0x" and hex digits, or decimal digits: what the colour chooser writes or a user types.
bool IsColourText(std::string_view text) {
    text = rave::TrimBlanks(text);
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        for (std::size_t i = 2; i < text.size(); ++i) {
            if (!IsHexDigit(text[i])) {
                return false;
            }
        }
        return text.size() <= 8;
    }
    return rave::ParseWholeNumberField(text).has_value() && rave::ParseColorValue(text) >= 0 &&
           rave::ParseColorValue(text) <= 0xFFFFFF;
}

// Empty, or a whole number: the hatch and line-mode boxes.
bool IsEmptyOrWhole(std::string_view text) {
    return rave::TrimBlanks(text).empty() || rave::ParseWholeNumberField(text).has_value();
}

}  // namespace

bool ParsePointList(const std::string& text, std::vector<int>& numbers) {
    numbers.clear();
    std::string_view rest = rave::TrimBlanks(text);
    if (!rest.empty() && rest.back() == ',') {
        rest.remove_suffix(1);
    }
    if (rest.empty()) {
        return false;
    }
    std::size_t start = 0;
    while (start <= rest.size()) {
        std::size_t comma = rest.find(',', start);
        if (comma == std::string_view::npos) {
            comma = rest.size();
        }
        const std::optional<long> n = rave::ParseWholeNumberField(rest.substr(start, comma - start));
        if (!n || *n < 1 || *n > kPoints || numbers.size() >= static_cast<std::size_t>(kLayerPointLimit)) {
            return false;
        }
        numbers.push_back(static_cast<int>(*n));
        start = comma + 1;
    }
    return true;
}

LayerListModel::LayerListModel(SectionDocument& document, rave::MessageSink& messages)
    : document_(document), messages_(messages) {
    Load();
}

void LayerListModel::Load() {
    std::set<long> used;
    const int count = document_.LayerCount();
    for (int row = 1; row <= kLayers; ++row) {
        LayerOutline& r = rows_.at(static_cast<std::size_t>(row));
        r.Clear();
        if (row <= count) {
            r = document_.Layer(row);
            used.insert(rave::ParseInteger(r.number));
        }
    }
    long next = 1;
    for (int row = count + 1; row <= kLayers; ++row) {
        while (used.count(next) != 0) {
            ++next;
        }
        rows_.at(static_cast<std::size_t>(row)).number = std::to_string(next);
        used.insert(next);
    }
    deletionConfirmed_ = false;
}

std::string LayerListModel::ShownPoints(int row) const {
    const std::string& text = Row(row).points;
    std::size_t bytes = 0;
    for (std::size_t chars = 0; chars < kShownPointCharacters && bytes < text.size(); ++chars) {
        bytes += rave::Cp932CharLength(text, bytes);
    }
    return text.substr(0, bytes);
}

void LayerListModel::SelectRow(int row) {
    const LayerOutline& r = Row(row);
    number = r.number;
    colour = r.colour;
    hatch = r.hatch;
    lineMode = r.lineMode;
    // The box shows the list without its closing comma, as clicked lists are typed.
    points = r.points;
    if (!points.empty() && points.back() == ',') {
        points.pop_back();
    }
}

void LayerListModel::AppendPoint(int pointNumber) {
    if (points.empty() || points.back() == ',') {
        points += rave::FormatText("%d", pointNumber);
    } else {
        points += rave::FormatText(",%d", pointNumber);
    }
}

void LayerListModel::SetColour(long colorRef) {
    colour = rave::FormatText("0x%06x", static_cast<unsigned long>(colorRef) & 0xFFFFFFUL);
}

int LayerListModel::StoreBoxes() {
    if (rave::TrimBlanks(number).empty() || rave::TrimBlanks(points).empty() ||
        rave::TrimBlanks(colour).empty()) {
        messages_.Show(NoDataMessage());
        return 0;
    }
    int target = 0;
    const std::string_view wanted = rave::TrimBlanks(number);
    for (int row = 1; row <= kLayers; ++row) {
        if (rave::TrimBlanks(Row(row).number) == wanted) {
            target = row;
            break;
        }
    }
    if (target == 0) {
        messages_.Show(NoLayerWithNumberMessage());
        return 0;
    }
    std::vector<int> numbers;
    if (!ParsePointList(points, numbers)) {
        messages_.Show(BadPointListMessage());
        return 0;
    }
    if (!IsColourText(colour)) {
        messages_.Show(BadColourMessage());
        return 0;
    }
    if (!IsEmptyOrWhole(hatch) || !IsEmptyOrWhole(lineMode)) {
        messages_.Show(rave::IntegerMessage());
        return 0;
    }
    LayerOutline& r = rows_.at(static_cast<std::size_t>(target));
    r.colour = std::string(rave::TrimBlanks(colour));
    r.hatch = std::string(rave::TrimBlanks(hatch));
    r.lineMode = std::string(rave::TrimBlanks(lineMode));
    r.SetPointNumbers(numbers);
    ApplyToDocument();
    return target;
}

bool LayerListModel::DeleteRow(int row) {
    if (row < 1 || row > kLayers) {
        return false;
    }
    LayerOutline& r = rows_.at(static_cast<std::size_t>(row));
    if (!deletionConfirmed_) {
        if (!messages_.AskYesNo(DeleteLayerQuestion(row, r.number, r.points))) {
            return false;
        }
        deletionConfirmed_ = true;
    }
    r.points.clear();
    r.colour.clear();
    r.hatch.clear();
    r.lineMode.clear();
    ApplyToDocument();
    return true;
}

int LayerListModel::MoveRowUp(int row) {
    if (row <= 1 || row > kLayers) {
        return row;
    }
    std::swap(rows_.at(static_cast<std::size_t>(row)), rows_.at(static_cast<std::size_t>(row - 1)));
    ApplyToDocument();
    return row - 1;
}

int LayerListModel::MoveRowDown(int row) {
    if (row < 1 || row >= kLayers) {
        return row;
    }
    std::swap(rows_.at(static_cast<std::size_t>(row)), rows_.at(static_cast<std::size_t>(row + 1)));
    ApplyToDocument();
    return row + 1;
}

void LayerListModel::ApplyToDocument() const {
    int entry = 0;
    for (int row = 1; row <= kLayers; ++row) {
        const LayerOutline& r = Row(row);
        if (r.InUse() && !r.points.empty()) {
            document_.Layer(++entry) = r;
        }
    }
    while (entry < kLayers) {
        document_.Layer(++entry).Clear();
    }
}

void LayerListModel::FollowRenumberedPoints(int from, bool back) {
    const auto follow = [from, back](LayerOutline& layer) {
        if (back) {
            UnshiftLayerPoints(layer, from);
        } else {
            ShiftLayerPoints(layer, from);
        }
    };
    for (int row = 1; row <= kLayers; ++row) {
        follow(rows_.at(static_cast<std::size_t>(row)));
    }
    std::vector<int> numbers;
    if (ParsePointList(points, numbers)) {
        LayerOutline box;
        box.SetPointNumbers(numbers);
        follow(box);
        points = box.points;
        if (!points.empty()) {
            points.pop_back();  // the box shows the list without its closing comma
        }
    }
}

bool LayerListModel::Commit(const WorkingFiles& files) {
    ApplyToDocument();
    return WritePointsLayersFile(files, document_, messages_);
}

void LayerListModel::Revert(const WorkingFiles& files) {
    ReadPointsLayersFile(files, document_);
    Load();
}

}  // namespace ravesect
