// Feeds arbitrary bytes to the soil-name master reader (both number kinds), the editor's list
// reader and writer, and the colour table reader, then resolves a name taken from the input.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "common/pattern_colors.h"
#include "common/soil_name_table.h"
#include "common/soil_pattern_resolver.h"
#include "common/soil_table_editor.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    rave::SoilNameTable table;
    table.LoadSoilNameBytes(bytes, rave::soil_number_kind::kLineDrawing);
    table.LoadSoilNameBytes(bytes, rave::soil_number_kind::kBitmap);

    int header = 0;
    const auto rows = rave::ParseSoilTableList(bytes, header);
    const std::string written = rave::FormatSoilTableList(rows, header);
    rave::SoilNameTable reread;
    reread.LoadSoilNameBytes(written, rave::soil_number_kind::kLineDrawing);

    rave::PatternColorTable colors;
    colors.LoadPatternColorBytes(bytes);
    (void)colors.PatternColor(10000);

    // The first line of the input is also resolved as a soil name against the table it built.
    const std::string_view name = bytes.substr(0, std::min<std::size_t>(bytes.find('\n'), 200));
    for (int kind : {rave::soil_number_kind::kLineDrawing, rave::soil_number_kind::kBitmap}) {
        const rave::SoilResolution resolved = rave::ResolveSoilPattern(table, name, kind, name);
        (void)rave::FormatResolvedPattern(resolved);
    }
    return 0;
}
