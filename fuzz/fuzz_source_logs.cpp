// Feeds arbitrary bytes to the source-log readers: kind detection, the header and groundwater
// reader with the water-level list, and the parser of every kind.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "common/messages.h"
#include "ravesect/document/source_header.h"
#include "ravesect/document/source_parsers.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    (void)ravesect::DetectSourceKind(bytes.substr(0, bytes.find('\n')));

    const ravesect::SourceHeader header = ravesect::ReadSourceHeader(bytes);
    rave::RecordingMessageSink messages;
    (void)ravesect::WaterLevelEntries(header.records, messages);
    (void)header.VersionText();

    // The parser of the kind the file announces, and one more chosen by the input's size, so
    // every parser sees every input over a run without each run paying for all of them.
    constexpr ravesect::SourceKind kKinds[] = {300, 301, 302, 303, 320, 400, 450, 500};
    for (ravesect::SourceKind kind : {header.kind, kKinds[size % 8]}) {
        const ravesect::NormalizedLog log = ravesect::ParseSourceLog(kind, bytes);
        for (int s = 0; s < ravesect::kLogSectionCount; ++s) {
            const auto& shape = ravesect::kLogSections[static_cast<std::size_t>(s)];
            if (log.Rows(s).size() > static_cast<std::size_t>(shape.maxRows)) {
                __builtin_trap();  // a row limit was not kept
            }
        }
    }
    return 0;
}
