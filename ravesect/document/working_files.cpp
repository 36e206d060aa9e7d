// Readers and writers of the four working files.
#include "ravesect/document/working_files.h"

#include <system_error>

#include "common/cp932.h"
#include "common/format.h"
#include "common/numbers.h"
#include "common/text_fields.h"
#include "common/text_file.h"
#include "ravesect/document/source_parsers.h"

namespace ravesect {

namespace {

constexpr std::size_t kSettingsLineLimit = 200;
constexpr int kSettingsValues = 13;

bool Contains(std::string_view text, std::string_view part) {
    return text.find(part) != std::string_view::npos;
}

bool WriteWorkingFile(const std::filesystem::path& path, std::string_view bytes,
                      rave::MessageSink& messages) {
    if (rave::WriteFileAtomically(path, bytes)) {
        return true;
    }
    messages.Show(CannotOpenWorkingFileMessage(path));
    return false;
}

// Calls `each` with every line of the file (line end removed); false when it cannot be read.
template <typename Each>
void ForEachLine(std::string_view bytes, std::size_t limit, Each each) {
    rave::LineCursor cursor(bytes, limit);
    std::string_view line;
    while (cursor.Next(line)) {
        each(rave::StripLineEnd(line));
    }
}

// A field of a comma-separated line: quoted as a whole when it holds a comma, its own quotes
// dropped (they cannot be escaped, and the reader drops them too).
//
// The readers take a line starting with "$$" for a block marker and a line holding "$$Z END",
// "$$Z HY" or "$$Z PO" for the end of a part, so a field holding such text would end a block
// when read again. A quote between the two dollar signs prevents that: the reader drops it, and
// a quote only switches whether a comma separates fields. Such a field is quoted only from the
// first quote it needs on, so that it is not written longer than the text it was read from.
std::string SectionCsvField(std::string_view field, bool startsLine) {
    if (field.find('$') == std::string_view::npos) {
        return rave::QuoteCsvFieldIfNeeded(field);
    }
    std::string text;
    for (char c : field) {
        if (c != '"') {
            text.push_back(c);
        }
    }
    auto needsBreak = [&](std::size_t i) {
        return text[i] == '$' && i + 1 < text.size() && text[i + 1] == '$' &&
               ((startsLine && i == 0) || (i + 2 < text.size() && text[i + 2] == 'Z'));
    };
    std::size_t first = 0;
    while (first < text.size() && !needsBreak(first)) {
        ++first;
    }
    if (first == text.size()) {
        return rave::QuoteCsvFieldIfNeeded(text);
    }
    std::string out;
    bool quoted = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == ',' && !quoted) {
            out.push_back('"');
            quoted = true;
        }
        out.push_back(text[i]);
        if (needsBreak(i)) {
            out.push_back('"');
            quoted = !quoted;
        }
    }
    if (quoted) {
        out.push_back('"');
    }
    return out;
}

void AppendJoined(std::string& out, const LogRow& row, int fields) {
    for (int f = 0; f < fields; ++f) {
        if (f > 0) {
            out.push_back(',');
        }
        if (static_cast<std::size_t>(f) < row.size()) {
            out += SectionCsvField(row[static_cast<std::size_t>(f)], f == 0);
        }
    }
    out += "\r\n";
}

void AppendLine(std::string& out, std::string_view line) {
    out += line;
    out += "\r\n";
}

// A field of a column is one line of the file: anything from a line break on would become
// further lines and shift every field after it, so it is not written.
std::string_view OneLine(std::string_view text) {
    const std::size_t end = text.find_first_of("\r\n");
    return end == std::string_view::npos ? text : text.substr(0, end);
}

}  // namespace

WorkingFiles WorkingFiles::In(const std::filesystem::path& folder) {
    return WorkingFiles{folder / "Tmp0.tmp", folder / "Tmp1.tmp", folder / "TmpP.tmp", folder / "SmpP.tmp"};
}

rave::Message CannotOpenWorkingFileMessage(const std::filesystem::path& path) {
    return rave::Message{message_id::kCannotOpenWorkingFile, "一時作業ファイルがオープンできません\n( %1 )",
                         path.string()};
}

rave::Message SourceNotFoundMessage(const std::filesystem::path& path) {
    return rave::Message{message_id::kSourceNotFound, "ファイルが見つかりません\n( %1 )", path.string()};
}

// --- Settings ---

std::string FormatSettingsLine(const SectionSettings& s) {
    return rave::FormatText("%d,%d,%d,%d,%d,%d,%d,%d,%.2f,%d,%d,", s.distanceScale, s.depthScale, s.rulerTop,
                            s.rulerBottom, s.rulerStep, s.leftEnd, s.distancePerPage, s.pageOverlapDistance,
                            s.topElevation, s.depthPerPage, s.pageOverlapDepth) +
           rave::QuoteCsvFieldIfNeeded(OneLine(s.rulerTitle)) + rave::FormatText(",%d", s.convertedNPlot);
}

void ApplySettingsLine(SectionSettings& s, std::string_view line) {
    std::string v[kSettingsValues];
    rave::SplitCsvFields(line, v, kSettingsValues);
    // Every value is taken only inside the range the scale dialog accepts (the scales and the
    // step as the file's own rule says); anything else keeps the previous value, so no file can
    // make a page empty, enormous or endless. Values are compared before narrowing to int.
    auto take = [&](int& target, int n, long lowest, long highest) {
        const long value = rave::ParseInteger(v[n - 1]);
        if (value >= lowest && value <= highest) {
            target = static_cast<int>(value);
        }
    };
    take(s.distanceScale, 1, 20, 2000);
    take(s.depthScale, 2, 20, 2000);
    take(s.rulerTop, 3, -1000, 4000);
    take(s.rulerBottom, 4, -1000, 4000);
    take(s.rulerStep, 5, 1, 100);
    take(s.leftEnd, 6, -100, 10000);
    take(s.distancePerPage, 7, 1, 10000);
    take(s.pageOverlapDistance, 8, 0, 1000);
    const double top = rave::ParseDecimal(v[8]);
    if (top >= -2000.0 && top <= 4000.0) {
        s.topElevation = top;
    }
    take(s.depthPerPage, 10, 1, 1000);
    take(s.pageOverlapDepth, 11, 0, 1000);
    // The title is a short caption (the dialog takes 20 characters): a longer one in a damaged
    // file is cut, so that it can neither cover the page nor outgrow the line it is written in.
    std::string_view title = v[11];
    std::size_t end = 0;
    for (std::size_t n = 0; n < kRulerTitleChars && end < title.size(); ++n) {
        end += rave::Cp932CharLength(title, end);
    }
    s.rulerTitle = title.substr(0, end);
    take(s.convertedNPlot, 13, 0, 1);
    if (s.rulerBottom >= s.rulerTop) {
        s.rulerBottom = s.rulerTop - 1;
    }
}

void ReadSettingsFile(const WorkingFiles& files, SectionSettings& settings) {
    const auto bytes = rave::ReadFileBytes(files.settings);
    if (!bytes) {
        return;
    }
    rave::LineCursor cursor(*bytes, kSettingsLineLimit);
    std::string_view line;
    if (cursor.Next(line)) {
        ApplySettingsLine(settings, rave::StripLineEnd(line));
    }
}

bool WriteSettingsFile(const WorkingFiles& files, const SectionSettings& settings,
                       rave::MessageSink& messages) {
    return WriteWorkingFile(files.settings, FormatSettingsLine(settings) + "\r\n", messages);
}

// --- Titles ---

std::string FormatTitleLine(const TitleText& title) {
    return rave::FormatText("%.2f,%.2f,", title.x, title.y) + SectionCsvField(OneLine(title.text), false) +
           "," + SectionCsvField(OneLine(title.font), false);
}

std::string TitleLinesBytes(const SectionDocument& document) {
    std::string out;
    AppendLine(out, "$$Z HY");
    for (int n = 1; n <= kTitleEntries; ++n) {
        AppendLine(out, FormatTitleLine(document.Title(n)));
    }
    return out;
}

void ReadTitleLines(SectionDocument& document, std::string_view bytes) {
    document.ResetTitles();
    int entry = 0;
    ForEachLine(bytes, kSectionLineLimit, [&](std::string_view line) {
        if (Contains(line, "$$Z HY") || ++entry > kTitleEntries) {
            return;
        }
        std::string fields[4];
        rave::SplitCsvFields(line, fields, 4);
        TitleText& title = document.Title(entry);
        title.x = rave::ParseDecimal(fields[0]);
        title.y = rave::ParseDecimal(fields[1]);
        title.text = fields[2];
        title.font = fields[3];
    });
}

void ReadTitlesFile(const WorkingFiles& files, SectionDocument& document) {
    const auto bytes = rave::ReadFileBytes(files.titles);
    ReadTitleLines(document, bytes ? std::string_view(*bytes) : std::string_view());
}

bool WriteTitlesFile(const WorkingFiles& files, const SectionDocument& document,
                     rave::MessageSink& messages) {
    return WriteWorkingFile(files.titles, TitleLinesBytes(document), messages);
}

// --- Points and layers ---

std::string PointsLayersBytes(const SectionDocument& document) {
    std::string out;
    AppendLine(out, "$$Z PO");
    for (int n = 1; n <= kPoints; ++n) {
        const SectionPoint& point = document.Point(n);
        AppendLine(out, rave::FormatText("%.2f,%.2f,%d", point.x, point.y, n));
    }
    AppendLine(out, "$$Z SO");
    const int layers = document.LayerCount();
    for (int n = 1; n <= layers; ++n) {
        const LayerOutline& layer = document.Layer(n);
        std::string line(OneLine(layer.number));
        for (const std::string* part : {&layer.colour, &layer.hatch, &layer.lineMode}) {
            line += ',';
            line += OneLine(*part);
        }
        line += ',';
        line += OneLine(layer.points);
        AppendLine(out, line);
    }
    return out;
}

void ReadPointsLayers(SectionDocument& document, std::string_view bytes) {
    document.ResetPointsAndLayers();
    enum class Part { kNone, kPoints, kLayers } part = Part::kNone;
    int entry = 1;
    constexpr int kLayerLineFields = 4 + kLayerPointLimit;
    ForEachLine(bytes, kSectionLineLimit, [&](std::string_view line) {
        if (Contains(line, "$$Z PO")) {
            part = Part::kPoints;
            entry = 1;
            return;
        }
        if (Contains(line, "$$Z SO")) {
            part = Part::kLayers;
            entry = 1;
            return;
        }
        if (part == Part::kPoints) {
            if (entry <= kPoints) {
                std::string fields[2];
                rave::SplitCsvFields(line, fields, 2);
                document.Point(entry).x = rave::ParseDecimal(fields[0]);
                document.Point(entry).y = rave::ParseDecimal(fields[1]);
            }
            ++entry;
        } else if (part == Part::kLayers) {
            if (entry <= kLayers) {
                std::string fields[kLayerLineFields];
                rave::SplitCsvFields(line, fields, kLayerLineFields);
                LayerOutline& layer = document.Layer(entry);
                layer.number = fields[0];
                layer.colour = fields[1];
                layer.hatch = fields[2];
                layer.lineMode = fields[3];
                for (int f = 4; f < kLayerLineFields && !fields[f].empty(); ++f) {
                    layer.points += fields[f];
                    layer.points += ',';
                }
            }
            ++entry;
        }
    });
}

SectionCuts CountSectionEntries(const WorkingFiles& files) {
    SectionCuts cuts;
    if (const auto titles = rave::ReadFileBytes(files.titles)) {
        ForEachLine(*titles, kSectionLineLimit,
                    [&](std::string_view line) { cuts.titles += Contains(line, "$$Z HY") ? 0 : 1; });
    }
    if (const auto pointsLayers = rave::ReadFileBytes(files.pointsLayers)) {
        int* part = nullptr;
        ForEachLine(*pointsLayers, kSectionLineLimit, [&](std::string_view line) {
            if (Contains(line, "$$Z PO")) {
                part = &cuts.points;
            } else if (Contains(line, "$$Z SO")) {
                part = &cuts.layers;
            } else if (part != nullptr) {
                ++*part;
            }
        });
    }
    return cuts;
}

std::string SectionCutsText(const SectionCuts& cuts) {
    std::string text;
    const auto add = [&](const char* what, int found, int kept) {
        if (found > kept) {
            text += (text.empty() ? "" : "、") + rave::FormatText("%s %d のうち %d まで", what, found, kept);
        }
    };
    add("標題記事", cuts.titles, kTitleEntries);
    add("点", cuts.points, kPoints);
    add("層", cuts.layers, kLayers);
    return text.empty() ? text : text + "を読みました（残りは使いません）";
}

void ReadPointsLayersFile(const WorkingFiles& files, SectionDocument& document) {
    const auto bytes = rave::ReadFileBytes(files.pointsLayers);
    ReadPointsLayers(document, bytes ? std::string_view(*bytes) : std::string_view());
}

bool WritePointsLayersFile(const WorkingFiles& files, const SectionDocument& document,
                           rave::MessageSink& messages) {
    return WriteWorkingFile(files.pointsLayers, PointsLayersBytes(document), messages);
}

// --- Columns ---

std::string ColumnsBytes(const SectionDocument& document, std::string_view countLine) {
    std::string out;
    AppendLine(out, "$$_QSVERAN700");
    AppendLine(out, countLine);
    const int last = document.LastUsedSlot();
    for (int slot = 0; slot <= last; ++slot) {
        const PlacedColumn& column = document.Column(slot);
        AppendLine(out, rave::FormatText("$$Z%d", slot));
        if (!column.NamesFile()) {
            AppendLine(out, OneLine(column[colfield::kDistance]));
            AppendLine(out, "");
            for (int f = 3; f <= kColumnFields; ++f) {
                AppendLine(out, "");
            }
            continue;
        }
        for (int f = 1; f <= kColumnFields; ++f) {
            AppendLine(out, OneLine(column[f]));
        }
        const NormalizedLog& log = document.Log(slot);
        for (int s = 0; s < kLogSectionCount; ++s) {
            const LogSectionShape& shape = kLogSections[static_cast<std::size_t>(s)];
            out += "$$";
            out.push_back(shape.marker);
            out += "\r\n";
            const int rows = log.RowCount(s);
            for (int k = 0; k < rows; ++k) {
                AppendJoined(out, log.Rows(s)[static_cast<std::size_t>(k)], shape.fields);
            }
        }
    }
    AppendLine(out, "$$Z END");
    return out;
}

void ReadColumns(SectionDocument& document, std::string_view bytes) {
    document.ClearColumns();
    NormalizedLog discard;
    SectionedReader reader(discard, nullptr);
    bool ended = false;
    ForEachLine(bytes, kSectionLineLimit, [&](std::string_view line) {
        if (ended) {
            return;
        }
        // A stray CR left in a line (a damaged file) is not kept: the writer could not write it
        // back, and a field holding only it would turn a placed column into a blank one.
        line = OneLine(line);
        if (Contains(line, "$$Z END")) {
            ended = true;
            return;
        }
        if (line.size() > 3 && line.substr(0, 3) == "$$Z") {
            const long slot = rave::ParseInteger(line.substr(3));
            if (slot >= 0 && slot < kColumnSlots) {
                const int s = static_cast<int>(slot);
                reader = SectionedReader(document.Log(s), &document.Column(s));
            } else {
                reader = SectionedReader(discard, nullptr);
            }
        }
        reader.ReadLine(line);
    });
}

void ReadColumnsFile(const WorkingFiles& files, SectionDocument& document) {
    const auto bytes = rave::ReadFileBytes(files.columns);
    ReadColumns(document, bytes ? std::string_view(*bytes) : std::string_view());
}

void ReloadSectionDocument(SectionDocument& document, const WorkingFiles& files) {
    ReadSettingsFile(files, document.settings);
    ReadTitlesFile(files, document);
    ReadPointsLayersFile(files, document);
    ReadColumnsFile(files, document);
}

void DeleteWorkingFiles(const WorkingFiles& files) {
    for (const auto* path : {&files.settings, &files.columns, &files.titles, &files.pointsLayers}) {
        std::error_code ignored;
        std::filesystem::remove(*path, ignored);
    }
}

}  // namespace ravesect
