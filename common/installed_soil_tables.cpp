#include "common/installed_soil_tables.h"

#include "common/messages.h"
#include "common/settings_files.h"
#include "common/soil_table_editor.h"
#include "common/text_file.h"

namespace rave {

int LoadBothSoilNameKinds(SoilNameTable& table, const std::filesystem::path& path, MessageSink& messages) {
    const auto bytes = ReadFileBytes(path);
    if (!bytes) {
        messages.Show(FileNotFoundMessage(path));
        return 0;
    }
    const int header = table.LoadSoilNameBytes(*bytes, soil_number_kind::kLineDrawing);
    table.LoadSoilNameBytes(*bytes, soil_number_kind::kBitmap);
    return header;
}

InstalledSoilTables LoadInstalledSoilTables(const std::filesystem::path& installFolder,
                                            MessageSink& messages) {
    InstalledSoilTables tables;
    tables.colors.LoadPatternColors(installFolder / kPatternColorFile, messages);
    LoadBothSoilNameKinds(tables.jacic, installFolder / SoilTableEditor::kJacicMasterFile, messages);
    LoadBothSoilNameKinds(tables.simple, installFolder / SoilTableEditor::kSimpleMasterFile, messages);
    return tables;
}

}  // namespace rave
