// Reading the boring exchange XML with pugixml, after the checks that keep a hostile file out.
#include "ravesect/document/boring_xml.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <pugixml.hpp>
#include <system_error>

#include "common/format.h"
#include "common/numbers.h"
#include "common/soil_pattern_resolver.h"
#include "common/text_file.h"
#include "ravesect/document/boring_xml_text.h"

namespace ravesect {

namespace {

// Element names are compared in UTF-8, the parser's encoding; this file's narrow literals are
// cp932, so the names are written as UTF-8 literals.
const char* U8(const char8_t* text) {
    return reinterpret_cast<const char*>(text);
}

// What the walk over the document looks for.
enum class Wanted {
    kSurveyName,
    kBoringName,
    kElevation,
    kTotalDepth,
    kDrilledLength,
    kLonLat,
    kLayer2,
    kLayer3,
    kLayer4,
    kPenetration,
    kWater,
    kCount
};

struct WantedName {
    Wanted what;
    const char8_t* name;
};
constexpr std::array<WantedName, 11> kWantedNames{{
    {Wanted::kSurveyName, u8"調査名"},
    {Wanted::kBoringName, u8"ボーリング名"},
    {Wanted::kElevation, u8"孔口標高"},
    {Wanted::kTotalDepth, u8"総掘進長"},
    {Wanted::kDrilledLength, u8"総削孔長"},
    {Wanted::kLonLat, u8"経度緯度情報"},
    {Wanted::kLayer2, u8"土質岩種区分"},
    {Wanted::kLayer3, u8"岩石土区分"},
    {Wanted::kLayer4, u8"工学的地質区分名現場土質名"},
    {Wanted::kPenetration, u8"標準貫入試験"},
    {Wanted::kWater, u8"孔内水位"},
}};

// The bottom depth and soil-name children of a layer element, per version.
struct LayerNames {
    const char8_t* bottom;
    const char8_t* soil;
};
LayerNames LayerNamesOf(Wanted what) {
    switch (what) {
        case Wanted::kLayer2:
            return {u8"土質岩種区分_下端深度", u8"土質岩種区分_土質岩種区分1"};
        case Wanted::kLayer3:
            return {u8"岩石土区分_下端深度", u8"岩石土区分_岩石土名"};
        default:
            return {u8"工学的地質区分名現場土質名_下端深度",
                    u8"工学的地質区分名現場土質名_工学的地質区分名現場土質名"};
    }
}

// Messages (cp932).
constexpr const char* kNotXml = "XMLとして読めません";
constexpr const char* kNotBoring = "ボーリング交換用データ（ボーリング情報）ではありません";
constexpr const char* kTooLarge = "ファイルが大きすぎます（8 MB まで）";
constexpr const char* kEntities = "実体宣言（<!ENTITY）を含むファイルは読みません";
constexpr const char* kTooDeep = "要素の入れ子が深すぎます";
constexpr const char* kEncoding = "文字コードを変換できません";
constexpr const char* kEncodingUnsupported = "この文字コードには対応していません";
constexpr const char* kUnknownSoil = "不明";
constexpr const char* kNoWater = "無し";

constexpr char kReadAs[] = "%s の値「%s」を %s と読みました";
constexpr char kReadAsThousands[] = "%s の値「%s」はカンマを桁区切りとして %s と読みました";
constexpr char kAmbiguousComma[] = "%s の値「%s」はカンマが桁区切りか小数点か決められないので使いません";
constexpr char kUnreadable[] = "%s の値「%s」は数値として読めないので使いません";
constexpr char kOtherLayerKind[] = "%s と %s の両方があります。%s だけを使います";
constexpr char kLayerUpward[] = "%s の値「%s」が上の層の下端 %.2f m より浅いので、この層は使いません";
constexpr char kNegativeDepth[] = "%s の値「%s」は負の深さなので使いません";
constexpr char kDepthAboveRecords[] = "%s の値「%s」より深い記録があるので、深さを %.2f m とします";
constexpr char kBlowsOutOfRange[] =
    "%s の値「%s」は 0 から 9999 の打撃回数ではないので、この試験は使いません";

// A number as written in a file with its full-width digits, signs, point and comma in their
// ASCII forms.
std::string AsciiForms(std::string_view utf8) {
    static constexpr std::array<std::pair<std::string_view, char>, 5> kWide{{{"\xEF\xBC\x8B", '+'},
                                                                             {"\xEF\xBC\x8C", ','},
                                                                             {"\xEF\xBC\x8D", '-'},
                                                                             {"\xEF\xBC\x8E", '.'},
                                                                             {"\xE2\x88\x92", '-'}}};
    std::string ascii;
    for (std::size_t i = 0; i < utf8.size();) {
        const std::string_view rest = utf8.substr(i);
        if (rest.size() >= 3 && rest.substr(0, 2) == "\xEF\xBC" &&
            static_cast<unsigned char>(rest[2]) >= 0x90 && static_cast<unsigned char>(rest[2]) <= 0x99) {
            ascii += static_cast<char>('0' + (static_cast<unsigned char>(rest[2]) - 0x90));
            i += 3;
            continue;
        }
        const auto wide = std::find_if(kWide.begin(), kWide.end(),
                                       [&](const auto& entry) { return rest.substr(0, 3) == entry.first; });
        if (wide != kWide.end()) {
            ascii += wide->second;
            i += 3;
            continue;
        }
        ascii += utf8[i++];
    }
    return ascii;
}

// "1,160": one comma with one to three digits before it and exactly three after. As a decimal
// comma it is 1.16, as a thousands separator 1160, and nothing in the text tells which.
bool HasAmbiguousComma(std::string_view ascii) {
    const std::size_t sign = !ascii.empty() && (ascii[0] == '+' || ascii[0] == '-') ? 1 : 0;
    const std::size_t comma = ascii.find(',');
    if (comma == std::string_view::npos) {
        return false;
    }
    const auto digitsOnly = [](std::string_view part) {
        return !part.empty() &&
               std::all_of(part.begin(), part.end(), [](char c) { return c >= '0' && c <= '9'; });
    };
    const std::string_view before = ascii.substr(sign, comma - sign);
    const std::string_view after = ascii.substr(comma + 1);
    return before.size() <= 3 && digitsOnly(before) && after.size() == 3 && digitsOnly(after);
}

// The range a value of an element can take in a boring this program draws, for the elements where
// a thousands reading ("1,160" as 1160) is plausible at all: a ground elevation in Japan lies
// between reclaimed land below sea level and the summit of Mt Fuji (3776 m). Depths, blow counts,
// penetration and angles stay below 1000 in any such boring, so for them it never is.
struct PlausibleRange {
    const char8_t* element;
    double low;
    double high;
};
constexpr std::array<PlausibleRange, 1> kThousandsPlausible{{{u8"孔口標高", -100.0, 4000.0}}};

bool PlausibleAsThousands(const char* element, double value) {
    return std::any_of(
        kThousandsPlausible.begin(), kThousandsPlausible.end(), [&](const PlausibleRange& range) {
            return std::strcmp(element, U8(range.element)) == 0 && value >= range.low && value <= range.high;
        });
}

// A number in ASCII forms as a decimal text: a comma standing alone for the decimal point ("1,5")
// becomes a point. Nothing when the text is not one decimal number as a whole.
std::optional<std::string> DecimalText(std::string ascii) {
    if (std::count(ascii.begin(), ascii.end(), ',') == 1 && ascii.find('.') == std::string::npos) {
        ascii[ascii.find(',')] = '.';
    }
    // [+-]digits[.digits][e[+-]digits], with a digit somewhere before any exponent.
    std::size_t at = ascii.size() > 0 && (ascii[0] == '+' || ascii[0] == '-') ? 1 : 0;
    const auto digits = [&] {
        const std::size_t from = at;
        while (at < ascii.size() && ascii[at] >= '0' && ascii[at] <= '9') {
            ++at;
        }
        return at - from;
    };
    std::size_t mantissa = digits();
    if (at < ascii.size() && ascii[at] == '.') {
        ++at;
        mantissa += digits();
    }
    if (mantissa > 0 && at < ascii.size() && (ascii[at] == 'e' || ascii[at] == 'E')) {
        ++at;
        at += at < ascii.size() && (ascii[at] == '+' || ascii[at] == '-') ? 1 : 0;
        if (digits() == 0) {
            return std::nullopt;
        }
    }
    if (mantissa == 0 || at != ascii.size()) {
        return std::nullopt;
    }
    return ascii;
}

// Reads the texts and numbers of elements, and keeps a warning (cp932) for every value it drops
// or reads otherwise than as written.
class ValueReader {
public:
    std::string Convert(std::string_view utf8) { return converter_.Convert(utf8); }
    std::string Text(pugi::xml_node node) { return converter_.Convert(TrimXmlValue(node.child_value())); }
    std::string Child(pugi::xml_node parent, const char8_t* name) { return Text(parent.child(U8(name))); }

    // The element's number; nothing when it is missing or empty, and nothing with a warning when
    // its text is not a number. A full-width or comma-decimal number is read with a warning; a
    // comma that may as well separate thousands is read so only where that value is plausible for
    // the element, else the value is dropped with a warning.
    std::optional<double> Number(pugi::xml_node node) {
        const std::string_view text = TrimXmlValue(node.child_value());
        if (text.empty()) {
            return std::nullopt;
        }
        std::string forms = AsciiForms(text);
        if (HasAmbiguousComma(forms)) {
            forms.erase(forms.find(','), 1);
            const double thousands = rave::ParseDecimal(forms);
            if (PlausibleAsThousands(node.name(), thousands)) {
                Warn(rave::FormatText(kReadAsThousands, Convert(node.name()), Convert(text), forms));
                return thousands;
            }
            Warn(rave::FormatText(kAmbiguousComma, Convert(node.name()), Convert(text)));
            return std::nullopt;
        }
        const std::optional<std::string> ascii = DecimalText(std::move(forms));
        const double value = ascii ? rave::ParseDecimal(*ascii) : 0.0;
        if (!ascii || !std::isfinite(value)) {
            Warn(rave::FormatText(kUnreadable, Convert(node.name()), Convert(text)));
            return std::nullopt;
        }
        if (*ascii != text) {
            Warn(rave::FormatText(kReadAs, Convert(node.name()), Convert(text), *ascii));
        }
        return value;
    }
    std::optional<double> ChildNumber(pugi::xml_node parent, const char8_t* name) {
        return Number(parent.child(U8(name)));
    }
    // "NAME の値「TEXT」" parts of a warning about the element's value.
    std::string NameOf(pugi::xml_node node) { return Convert(node.name()); }
    std::string ValueOf(pugi::xml_node node) { return Text(node); }

    void Warn(std::string warning) { warnings_.push_back(std::move(warning)); }
    std::vector<std::string> TakeWarnings() { return std::move(warnings_); }

private:
    Utf8ToCp932Converter converter_;
    std::vector<std::string> warnings_;
};

// "BED0400" and the like in the document type: the version when the root does not carry it.
std::string VersionFromDoctype(std::string_view utf8) {
    const std::size_t root = utf8.find(U8(u8"<ボーリング情報"));
    const std::string_view prolog = utf8.substr(0, root);
    const std::size_t at = prolog.find("BED");
    if (at == std::string_view::npos || at + 7 > prolog.size()) {
        return {};
    }
    const std::string_view digits = prolog.substr(at + 3, 4);
    if (!std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; })) {
        return {};
    }
    return rave::FormatText("%d.%s", static_cast<int>(rave::ParseInteger(digits.substr(0, 2))),
                            std::string(digits.substr(2)));
}

// Degrees, minutes and seconds (or one decimal value) of a longitude or latitude.
std::optional<double> Angle(ValueReader& values, pugi::xml_node block, const char8_t* degrees,
                            const char8_t* minutes, const char8_t* seconds, const char8_t* decimal) {
    if (const auto d = values.ChildNumber(block, degrees)) {
        const double m = values.ChildNumber(block, minutes).value_or(0.0);
        const double s = values.ChildNumber(block, seconds).value_or(0.0);
        const double sign = *d < 0.0 ? -1.0 : 1.0;
        return sign * (std::fabs(*d) + m / 60.0 + s / 3600.0);
    }
    return values.ChildNumber(block, decimal);
}

// Walks the whole tree once without recursion, keeps the first element of each header name and
// every layer, test and groundwater element in document order. False when it nests too deep.
struct Found {
    std::array<pugi::xml_node, static_cast<std::size_t>(Wanted::kCount)> first{};
    std::vector<std::pair<Wanted, pugi::xml_node>> records;
};
bool Walk(pugi::xml_node root, Found& found) {
    pugi::xml_node node = root;
    int depth = 1;
    while (node) {
        if (node.type() == pugi::node_element) {
            for (const WantedName& wanted : kWantedNames) {
                if (std::strcmp(node.name(), U8(wanted.name)) != 0) {
                    continue;
                }
                auto& first = found.first[static_cast<std::size_t>(wanted.what)];
                if (!first) {
                    first = node;
                }
                if (wanted.what >= Wanted::kLayer2) {
                    found.records.emplace_back(wanted.what, node);
                }
                break;
            }
        }
        if (node.first_child()) {
            if (++depth > kBoringXmlMaxDepth) {
                return false;
            }
            node = node.first_child();
            continue;
        }
        while (node && !node.next_sibling() && node != root) {
            node = node.parent();
            --depth;
        }
        if (!node || node == root) {
            break;
        }
        node = node.next_sibling();
    }
    return true;
}

BoringXmlResult Refuse(std::string reason) {
    return BoringXmlResult{std::nullopt, std::move(reason), {}};
}

// The layer kind a file's layers are read from: the version's own (土質岩種区分 up to 2.x,
// 岩石土区分 in 3.x, 工学的地質区分名現場土質名 from 4.00) when the file has it, else the first
// kind in the file. A file with several kinds is warned of: mixing them would interleave two
// descriptions of one column.
Wanted LayerKindToRead(const Found& found, const std::string& version, ValueReader& values) {
    std::vector<Wanted> present;
    for (const auto& record : found.records) {
        if (record.first != Wanted::kPenetration && record.first != Wanted::kWater &&
            std::find(present.begin(), present.end(), record.first) == present.end()) {
            present.push_back(record.first);
        }
    }
    if (present.empty()) {
        return Wanted::kLayer4;
    }
    Wanted chosen = present.front();
    if (!version.empty()) {
        const double number = rave::ParseDecimal(version);
        const Wanted own = number >= 4.0   ? Wanted::kLayer4
                           : number >= 3.0 ? Wanted::kLayer3
                                           : Wanted::kLayer2;
        if (std::find(present.begin(), present.end(), own) != present.end()) {
            chosen = own;
        }
    }
    const auto name = [&](Wanted what) {
        return values.Convert(
            U8(std::find_if(kWantedNames.begin(), kWantedNames.end(), [&](const WantedName& w) {
                   return w.what == what;
               })->name));
    };
    for (const Wanted other : present) {
        if (other != chosen) {
            values.Warn(rave::FormatText(kOtherLayerKind, name(chosen), name(other), name(chosen)));
        }
    }
    return chosen;
}

}  // namespace

bool LooksLikeBoringXml(std::string_view bytes) {
    // Decided from the text as the reader decodes it (UTF-8, Shift_JIS, EUC-JP or UTF-16), so a
    // file the reader can read is never turned away here. Only a head is decoded: the root
    // element stands after the declaration and the document type, near the top.
    constexpr std::size_t kHeadBytes = 8192;
    const std::string head = XmlHeadAsUtf8(bytes, kHeadBytes);
    const std::size_t first = head.find_first_not_of(" \t\r\n");
    return first != std::string::npos && head[first] == '<' &&
           head.find(U8(u8"ボーリング情報")) != std::string::npos;
}

double PenetrationN(int blows, std::optional<double> penetrationCm) {
    if (blows <= 0) {
        return 0.0;
    }
    if (!penetrationCm || *penetrationCm >= 30.0 || *penetrationCm <= 0.0) {
        return blows;
    }
    return blows * 30.0 / *penetrationCm;
}

std::string PenetrationText(const BoringPenetration& test) {
    if (test.blows > 0 && test.penetrationCm && *test.penetrationCm > 0.0 && *test.penetrationCm < 30.0) {
        std::string cm = rave::FormatText("%.1f", *test.penetrationCm);
        if (cm.size() > 2 && cm.compare(cm.size() - 2, 2, ".0") == 0) {
            cm.resize(cm.size() - 2);
        }
        return rave::FormatText("%d/%s", test.blows, cm);
    }
    return rave::FormatText("%d", test.blows);
}

BoringXmlResult ReadBoringXml(std::string_view bytes) {
    if (bytes.size() > kBoringXmlMaxBytes) {
        return Refuse(kTooLarge);
    }
    // Entities are never expanded; a file that declares any is refused outright, so no
    // billion-laughs tree and no external entity is ever looked at.
    if (bytes.find("<!ENTITY") != std::string_view::npos) {
        return Refuse(kEntities);
    }
    std::optional<std::string> utf8 = XmlBytesAsUtf8(bytes);
    if (!utf8) {
        const std::string unsupported = UnsupportedXmlEncoding(bytes);
        return Refuse(unsupported.empty() ? std::string(kEncoding)
                                          : rave::FormatText("%s (%s)", kEncodingUnsupported, unsupported.c_str()));
    }
    // Looked for again in the converted text: in UTF-16 the declaration's bytes are spread out.
    if (utf8->find("<!ENTITY") != std::string::npos) {
        return Refuse(kEntities);
    }
    // Parsing in place cuts the buffer into strings with inserted zeros, so what is looked up in
    // the text itself is looked up first: the version named in the document type, and whether
    // the penetration intervals carry the 4.00 names ("_0_100" and so on) that tell millimetres
    // in a file that names no version.
    const std::string doctypeVersion = VersionFromDoctype(*utf8);
    const bool namesMillimetreIntervals = utf8->find("_0_100") != std::string::npos;
    pugi::xml_document document;
    // No DTD processing: the document type is skipped, only the five predefined entities and
    // character references are read.
    const unsigned options = pugi::parse_cdata | pugi::parse_escapes | pugi::parse_eol;
    const pugi::xml_parse_result parsed =
        document.load_buffer_inplace(utf8->data(), utf8->size(), options, pugi::encoding_utf8);
    if (!parsed) {
        return Refuse(rave::FormatText("%s (%s, %ld)", kNotXml, parsed.description(),
                                       static_cast<long>(parsed.offset)));
    }
    const pugi::xml_node root = document.document_element();
    if (!root || std::strcmp(root.name(), U8(u8"ボーリング情報")) != 0) {
        return Refuse(kNotBoring);
    }
    Found found;
    if (!Walk(root, found)) {
        return Refuse(kTooDeep);
    }

    ValueReader values;
    BoringLog log;
    log.version = TrimXmlValue(root.attribute("DTD_version").value());
    if (log.version.empty()) {
        log.version = doctypeVersion;
    }
    const auto first = [&](Wanted what) { return found.first[static_cast<std::size_t>(what)]; };
    log.surveyName = values.Text(first(Wanted::kSurveyName));
    log.name = values.Text(first(Wanted::kBoringName));
    log.groundElevation = values.Number(first(Wanted::kElevation));
    pugi::xml_node depthNode = first(Wanted::kDrilledLength);
    log.depth = values.Number(depthNode);
    if (!log.depth) {
        depthNode = first(Wanted::kTotalDepth);
        log.depth = values.Number(depthNode);
    }
    if (log.depth && *log.depth < 0.0) {
        values.Warn(rave::FormatText(kNegativeDepth, values.NameOf(depthNode), values.ValueOf(depthNode)));
        log.depth.reset();
    }
    if (const pugi::xml_node lonLat = first(Wanted::kLonLat)) {
        log.longitude = Angle(values, lonLat, u8"経度_度", u8"経度_分", u8"経度_秒", u8"経度");
        log.latitude = Angle(values, lonLat, u8"緯度_度", u8"緯度_分", u8"緯度_秒", u8"緯度");
    }
    // Penetration is in cm up to 3.00 and in mm from 4.00, where the interval elements are
    // renamed "_0_100" and so on; a file that names no version is judged by those names.
    const bool millimetres =
        log.version.empty() ? namesMillimetreIntervals : rave::ParseDecimal(log.version) >= 4.0;
    const Wanted layerKind = LayerKindToRead(found, log.version, values);
    double top = 0.0;
    double deepest = 0.0;
    for (const auto& [what, node] : found.records) {
        if (what == Wanted::kPenetration) {
            BoringPenetration test;
            const pugi::xml_node depthOfTest = node.child(U8(u8"標準貫入試験_開始深度"));
            const std::optional<double> start = values.Number(depthOfTest);
            if (!start && !TrimXmlValue(depthOfTest.child_value()).empty()) {
                continue;  // warned of; the test would otherwise stand at the ground surface
            }
            test.depth = start.value_or(0.0);
            const pugi::xml_node blowsNode = node.child(U8(u8"標準貫入試験_合計打撃回数"));
            const std::optional<double> written = values.Number(blowsNode);
            if (!written && !TrimXmlValue(blowsNode.child_value()).empty()) {
                continue;  // not a number: warned of, and no N can be told
            }
            const double blows = written.value_or(0.0);
            if (!(blows >= 0.0 && blows <= 9999.0)) {
                values.Warn(
                    rave::FormatText(kBlowsOutOfRange, values.NameOf(blowsNode), values.ValueOf(blowsNode)));
                continue;
            }
            test.blows = static_cast<int>(std::lround(blows));
            if (auto amount = values.ChildNumber(node, u8"標準貫入試験_合計貫入量")) {
                test.penetrationCm = millimetres ? *amount / 10.0 : *amount;
            }
            test.n = PenetrationN(test.blows, test.penetrationCm);
            deepest = std::max(deepest, test.depth + test.penetrationCm.value_or(30.0) / 100.0);
            log.penetration.push_back(test);
        } else if (what == Wanted::kWater) {
            BoringWaterLevel water;
            water.date = values.Child(node, u8"孔内水位_測定年月日");
            const pugi::xml_node levelNode = node.child(U8(u8"孔内水位_孔内水位"));
            water.depth = values.Number(levelNode);
            if (!water.depth && !TrimXmlValue(levelNode.child_value()).empty()) {
                continue;  // warned of; the record would otherwise say no water was found
            }
            if (water.depth && *water.depth <= -99.0) {
                water.depth.reset();  // -99.99: no water found
            }
            if (water.depth || !water.date.empty()) {
                log.waterLevels.push_back(water);
            }
        } else if (what == layerKind) {
            const LayerNames names = LayerNamesOf(what);
            const pugi::xml_node bottomNode = node.child(U8(names.bottom));
            const auto bottom = values.Number(bottomNode);
            if (!bottom) {
                continue;
            }
            if (*bottom <= top) {
                // Out of order: the layer would run upward over the one above.
                values.Warn(rave::FormatText(kLayerUpward, values.NameOf(bottomNode),
                                             values.ValueOf(bottomNode), top));
                continue;
            }
            BoringLayer layer;
            layer.top = top;
            layer.bottom = *bottom;
            const std::string_view written = TrimXmlValue(node.child(U8(names.soil)).child_value());
            layer.soil = values.Text(node.child(U8(names.soil)));
            layer.matchName = values.Convert(NormaliseSoilName(written));
            top = layer.bottom;
            deepest = std::max(deepest, layer.bottom);
            log.layers.push_back(std::move(layer));
        }
    }
    if (log.depth && *log.depth < deepest) {
        // A total length above the deepest record would cut the column there and drop the rest.
        values.Warn(rave::FormatText(kDepthAboveRecords, values.NameOf(depthNode), values.ValueOf(depthNode),
                                     deepest));
        log.depth = deepest;
    }
    if (!log.depth && deepest > 0.0) {
        log.depth = deepest;  // no total length in the file: the deepest record
    }
    return BoringXmlResult{std::move(log), {}, values.TakeWarnings()};
}

BoringXmlResult ReadBoringXmlFile(const std::filesystem::path& path) {
    const rave::InputFileBytes input = rave::ReadInputFile(path, kBoringXmlMaxBytes);
    if (!input.bytes) {
        return Refuse(rave::InputRefusalText(input.refusal, kBoringXmlMaxBytes));
    }
    return ReadBoringXml(*input.bytes);
}

BoringSoil ResolveBoringSoil(const rave::SoilNameTable& table, const BoringLayer& layer) {
    constexpr int kLines = rave::soil_number_kind::kLineDrawing;
    for (const std::string* name : {&layer.matchName, &layer.soil}) {
        if (name->empty()) {
            continue;
        }
        const rave::SoilResolution resolved = rave::ResolveSoilPattern(table, *name, kLines);
        // A name counts as known when a soil proper matched (an admixture or adjective alone
        // does not draw a soil).
        if (resolved.code >= 100) {
            return BoringSoil{resolved.code, rave::FormatResolvedPattern(resolved), true};
        }
    }
    rave::SoilResolution unknown = rave::ResolveSoilPattern(table, kUnknownSoil, kLines);
    return BoringSoil{unknown.code, unknown.code > 0 ? rave::FormatResolvedPattern(unknown) : std::string(),
                      false};
}

NormalizedLog BoringNormalizedLog(const BoringLog& log, const rave::SoilNameTable& table,
                                  std::vector<std::string>* unknownNames) {
    NormalizedLog normalized;
    int row = 0;
    for (const BoringLayer& layer : log.layers) {
        LogRow* target = normalized.RowAt(logsection::kLayers, row + 1);
        if (target == nullptr) {
            break;
        }
        ++row;
        const BoringSoil soil = ResolveBoringSoil(table, layer);
        (*target)[0] = rave::FormatText("%.2f", layer.bottom);
        (*target)[1] = layer.soil.empty() ? std::string(kUnknownSoil) : layer.soil;
        (*target)[2] = soil.patternText;
        (*target)[6] = "4";
        if (!soil.known && unknownNames != nullptr &&
            std::find(unknownNames->begin(), unknownNames->end(), layer.soil) == unknownNames->end()) {
            unknownNames->push_back(layer.soil);
        }
    }
    row = 0;
    for (const BoringPenetration& test : log.penetration) {
        LogRow* target = normalized.RowAt(logsection::kMeasured, row + 1);
        if (target == nullptr) {
            break;
        }
        ++row;
        (*target)[0] = rave::FormatText("%.2f", test.depth);
        (*target)[1] = PenetrationText(test);
    }
    return normalized;
}

SourceHeader BoringSourceHeader(const BoringXmlResult& result) {
    SourceHeader header;
    if (!result.log) {
        header.status = SourceHeader::Status::kNotAccepted;
        header.surveyName = result.error;
        return header;
    }
    const BoringLog& log = *result.log;
    header.kind = kKindBoringXml;
    header.surveyName = log.surveyName.empty() ? log.name : log.surveyName;
    header.label = log.name;
    header.elevationKind = "TP";
    if (log.groundElevation) {
        header.elevation = rave::FormatText("%.2f", *log.groundElevation);
    }
    if (log.depth) {
        header.depth = rave::FormatText("%.2f", *log.depth);
    }
    for (const BoringWaterLevel& water : log.waterLevels) {
        GroundwaterRecord record;
        record.date = water.date;
        if (water.depth) {
            record.level = rave::FormatText("%.2f", -*water.depth);
        } else {
            record.level = "-0.6";
            record.text = kNoWater;
        }
        header.records.push_back(std::move(record));
        if (static_cast<int>(header.records.size()) >= kJacicLogRecordLimit) {
            break;
        }
    }
    return header;
}

}  // namespace ravesect
