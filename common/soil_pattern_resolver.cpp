#include "common/soil_pattern_resolver.h"

#include "common/cp932.h"
#include "common/format.h"
#include "common/messages.h"
#include "common/numbers.h"

namespace rave {

namespace {

constexpr std::size_t kNotFound = std::string_view::npos;

// Codes above this are special markers and JACIC codes that stand alone: nothing is added to them.
constexpr long kLargestBaseCode = 9900;
constexpr long kAlternatingLayers = 90000;

bool Contains(std::string_view text, std::string_view needle) {
    return !needle.empty() && Cp932Find(text, needle) != kNotFound;
}

std::string ReplaceAll(std::string_view text, std::string_view from, std::string_view to) {
    std::string result;
    std::size_t start = 0;
    for (std::size_t at = Cp932Find(text, from); at != kNotFound; at = Cp932Find(text, from, start)) {
        result.append(text.substr(start, at - start));
        result.append(to);
        start = at + from.size();
    }
    result.append(text.substr(start));
    return result;
}

long PositiveOrZero(long number) {
    return number > 0 ? number : 0;
}

// The class a pick-list number fixes: the digits after its ".", or -1 when it has no point.
int ClassFromNumberText(std::string_view numberText) {
    const std::size_t point = numberText.find('.');
    if (point == kNotFound) {
        return -1;
    }
    const long digits = ParseInteger(numberText.substr(point + 1));
    return digits < 0 ? 0 : static_cast<int>(digits & soil_class::kBoth);
}

// The first row of a group whose name occurs in the text, or null.
const SoilNameRow* FirstContainedRow(const SoilNameTable& table, int numberKind, int group,
                                     std::string_view text) {
    const SoilGroupRange range = table.Group(numberKind, group);
    const auto& rows = table.Rows(numberKind);
    for (int i = range.first; i >= 1 && i <= range.last && i <= static_cast<int>(rows.size()); ++i) {
        const SoilNameRow& row = rows[static_cast<std::size_t>(i - 1)];
        if (Contains(text, row.name)) {
            return &row;
        }
    }
    return nullptr;
}

const SoilNameRow* ExactGroupOneRow(const SoilNameTable& table, int numberKind, std::string_view text) {
    const SoilGroupRange range = table.Group(numberKind, 1);
    const auto& rows = table.Rows(numberKind);
    for (int i = range.first; i >= 1 && i <= range.last && i <= static_cast<int>(rows.size()); ++i) {
        const SoilNameRow& row = rows[static_cast<std::size_t>(i - 1)];
        if (row.name == text) {
            return &row;
        }
    }
    return nullptr;
}

int CombinedAlternatingClass(int first, int second) {
    if (first == 0 || second == 0) {
        return first + second;
    }
    return first == second ? first : soil_class::kBoth;
}

SoilResolution ResolveAlternatingLayers(const SoilNameTable& table, const std::string& text, std::size_t at,
                                        int numberKind) {
    SoilResolution result;
    result.name = text;
    const std::string_view before = std::string_view(text).substr(0, at);
    std::string_view separator = "・";
    std::size_t split = Cp932Find(before, separator);
    if (split == kNotFound) {
        separator = "･";
        split = Cp932Find(before, separator);
    }
    if (split == kNotFound) {
        result.code = kAlternatingLayers;
        return result;
    }
    const SoilResolution first = LongestContainedSoil(table, before.substr(0, split), numberKind);
    const SoilResolution second =
        LongestContainedSoil(table, before.substr(split + separator.size()), numberKind);
    if (first.code > kLargestBaseCode) {
        result.code = first.code;
    } else {
        result.code = kAlternatingLayers + first.code / 100 * 100;
        if (second.code <= kLargestBaseCode) {
            result.code += second.code / 100;
        }
    }
    result.soilClass = CombinedAlternatingClass(first.soilClass, second.soilClass);
    result.mark = first.mark + "/" + second.mark;
    return result;
}

// Where the main soil name starts when the text holds a built-in compound name: the earliest
// occurrence, the longest compound at that place.
std::size_t CompoundStart(std::string_view text) {
    std::size_t best = kNotFound;
    std::size_t bestLength = 0;
    for (const std::string& compound : CompoundSoilNames()) {
        const std::size_t at = Cp932Find(text, compound);
        if (at == kNotFound) {
            continue;
        }
        if (best == kNotFound || at < best || (at == best && compound.size() > bestLength)) {
            best = at;
            bestLength = compound.size();
        }
    }
    return best;
}

}  // namespace

const std::vector<std::string>& CompoundSoilNames() {
    static const std::vector<std::string> names = {"砂質頁岩", "炭質頁岩", "硬質粘土",   "砂質土",
                                                   "礫質土",   "有機質土", "高有機質土", "火山灰質粘性土"};
    return names;
}

SoilResolution LongestContainedSoil(const SoilNameTable& table, std::string_view text, int numberKind) {
    SoilResolution result;
    result.name = std::string(text);
    const SoilGroupRange range = table.Group(numberKind, 1);
    const auto& rows = table.Rows(numberKind);
    std::size_t longest = 0;
    for (int i = range.first; i >= 1 && i <= range.last && i <= static_cast<int>(rows.size()); ++i) {
        const SoilNameRow& row = rows[static_cast<std::size_t>(i - 1)];
        if (row.name.size() >= longest && Contains(text, row.name)) {
            longest = row.name.size();
            result.code = PositiveOrZero(row.number);
            result.soilClass = row.soilClass;
            result.mark = row.mark;
        }
    }
    return result;
}

SoilResolution ResolveSoilPattern(const SoilNameTable& table, std::string_view soilName, int numberKind,
                                  std::string_view numberText) {
    const std::string text = ReplaceAll(soilName, "じり", "り");
    const int fixedClass = ClassFromNumberText(numberText);
    auto finish = [fixedClass](SoilResolution result) {
        if (fixedClass >= 0) {
            result.soilClass = fixedClass;
        }
        return result;
    };

    if (const SoilNameRow* exact = ExactGroupOneRow(table, numberKind, text)) {
        return finish(SoilResolution{PositiveOrZero(exact->number), exact->soilClass, exact->mark, text});
    }
    if (const std::size_t at = Cp932Find(text, "互層"); at != kNotFound) {
        return finish(ResolveAlternatingLayers(table, text, at, numberKind));
    }

    // The admixture phrase runs up to and including the first "り".
    std::string_view mainText = text;
    long admixture = 0;
    std::string admixtureMark;
    const std::string_view ri = "り";
    if (const std::size_t at = Cp932Find(text, ri); at != kNotFound) {
        const std::string phrase = text.substr(0, at + ri.size());
        mainText = std::string_view(text).substr(at + ri.size());
        if (const SoilNameRow* row = FirstContainedRow(table, numberKind, 2, phrase)) {
            admixture = PositiveOrZero(row->number) / 10 % 10 * 10;
            admixtureMark = row->mark;
        } else {
            admixtureMark = "-";
        }
    }

    // The adjective, then the main soil name after its "質". A built-in compound name is kept
    // whole; only the text before it can hold an adjective.
    long adjective = 0;
    std::string adjectiveMark;
    std::string_view mainName = mainText;
    const std::size_t compound = CompoundStart(mainText);
    const std::string_view adjectiveText = compound == kNotFound ? mainText : mainText.substr(0, compound);
    if (const SoilNameRow* row = FirstContainedRow(table, numberKind, 3, adjectiveText)) {
        adjective = PositiveOrZero(row->number) % 10;
        adjectiveMark = row->mark;
    }
    if (compound != kNotFound) {
        mainName = mainText.substr(compound);
    } else {
        const std::string_view shitsu = "質";
        if (const std::size_t at = Cp932Find(mainText, shitsu); at != kNotFound) {
            mainName = mainText.substr(at + shitsu.size());
        }
    }

    const SoilResolution main = LongestContainedSoil(table, mainName, numberKind);
    SoilResolution result;
    result.name = text;
    result.soilClass = main.soilClass;
    result.mark = main.mark + adjectiveMark + admixtureMark;
    // A special marker or standalone JACIC code takes no admixture or adjective on top.
    result.code = main.code > kLargestBaseCode ? main.code : main.code + adjective + admixture;
    return finish(result);
}

std::string FormatResolvedPattern(const SoilResolution& resolution) {
    return FormatText("%ld.%d", resolution.code, resolution.soilClass);
}

std::vector<std::string> ClassifyMeasuredRows(const std::vector<NamedRowNumber>& rows,
                                              MessageSink& messages) {
    std::vector<std::string> classes(rows.size(), "0");
    bool anyNumber = false;
    bool anyClassPart = false;
    for (const NamedRowNumber& row : rows) {
        if (row.numberText.empty()) {
            continue;
        }
        anyNumber = true;
        const std::size_t point = row.numberText.find('.');
        if (point != kNotFound && point + 1 < row.numberText.size() && row.numberText[point + 1] >= '0' &&
            row.numberText[point + 1] <= '9') {
            anyClassPart = true;
        }
    }
    if (anyNumber && !anyClassPart) {
        messages.Show(Message{0, "砂質土粘性土分類データがありません", ""});
        return classes;
    }
    std::size_t from = 0;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        if (rows[i].soilName.empty()) {
            continue;
        }
        std::string classText;
        const std::size_t point = rows[i].numberText.find('.');
        if (point != kNotFound) {
            for (std::size_t k = point + 1; k < rows[i].numberText.size(); ++k) {
                const char c = rows[i].numberText[k];
                if (c < '0' || c > '9') {
                    break;
                }
                classText.push_back(c);
            }
        }
        if (classText.empty()) {
            classText = "0";
        }
        for (std::size_t k = from; k <= i; ++k) {
            classes[k] = classText;
        }
        from = i + 1;
    }
    return classes;
}

}  // namespace rave
