// Feeds arbitrary bytes to the boring exchange XML reader: the encoding decision, the hostile-file
// checks, the parse, the normalized log a column keeps and the placement dialog's header read.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "common/soil_name_table.h"
#include "ravesect/document/boring_xml.h"
#include "ravesect/document/boring_xml_text.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    (void)ravesect::LooksLikeBoringXml(bytes);
    (void)ravesect::NormaliseSoilName(ravesect::TrimXmlValue(bytes));

    static const rave::SoilNameTable table = [] {
        rave::SoilNameTable t;
        t.LoadSoilNameBytes("[x], ,1,\r\nsand,_,400.1,400.1,\r\n[y]\r\n[z]\r\n",
                            rave::soil_number_kind::kLineDrawing);
        return t;
    }();
    const ravesect::BoringXmlResult read = ravesect::ReadBoringXml(bytes);
    (void)ravesect::BoringSourceHeader(read);
    if (read.log) {
        const ravesect::NormalizedLog log = ravesect::BoringNormalizedLog(*read.log, table);
        for (int s = 0; s < ravesect::kLogSectionCount; ++s) {
            const auto& shape = ravesect::kLogSections[static_cast<std::size_t>(s)];
            if (log.Rows(s).size() > static_cast<std::size_t>(shape.maxRows)) {
                __builtin_trap();  // a row limit was not kept
            }
        }
    }
    return 0;
}
