// Feeds arbitrary bytes to the foreign import: the comma and blank field splitters, the unit
// conversions, the preview, the line list and the reading of rows into a document. The first
// byte chooses the mode and the options, so one input exercises one combination.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "ravelog/document/foreign_import.h"
#include "ravelog/document/import_fields.h"
#include "ravelog/document/sounding_document.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) {
        return 0;
    }
    const std::uint8_t options = data[0];
    const std::string_view bytes(reinterpret_cast<const char*>(data + 1), size - 1);
    const ravelog::ImportMode mode =
        (options & 1) != 0 ? ravelog::ImportMode::kBlank : ravelog::ImportMode::kComma;

    ravelog::ImportFields fields;
    ravelog::SplitImportLine(bytes, mode, fields);
    for (const std::string& field : fields) {
        (void)ravelog::ImportedLoad(field, true);
        (void)ravelog::ImportedDepth(field, true);
    }

    ravelog::ImportChoices choices;
    choices.columns = ravelog::StandardImportColumns(mode);
    if ((options & 2) != 0) {
        // Columns taken from the input itself, valid or not.
        for (std::size_t i = 0; i < choices.columns.size(); ++i) {
            choices.columns[i] = fields[i];
        }
    }
    choices.loadInKgf = (options & 4) != 0;
    choices.depthInCm = (options & 8) != 0;
    choices.clearHeader = (options & 16) != 0;
    choices.omitRepeatedNames = (options & 32) != 0;

    const ravelog::ImportPreview preview = ravelog::ReadImportPreview(bytes, mode);
    (void)preview;
    const auto list = ravelog::ListImportLines(bytes, mode, choices);
    if (static_cast<int>(list.size()) != ravelog::CountImportLines(bytes)) {
        __builtin_trap();
    }
    static ravelog::SoundingDocument document;
    const int from = (options & 64) != 0 ? 2 : 1;
    const int stored =
        ravelog::ImportRowsFromBytes(bytes, mode, choices, from, ravelog::CountImportLines(bytes), document);
    if (stored < 0 || stored > ravelog::kMaxRows || document.LastUsedRow() > stored) {
        __builtin_trap();
    }
    return 0;
}
