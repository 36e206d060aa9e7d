// Feeds arbitrary bytes to the site report file's reader; whatever it reads must be written and
// read back to the same report.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "site/site_report.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const site::SiteReportReadResult read = site::ReadSiteReportBytes(bytes);
    if (!read.report) {
        return 0;
    }
    const std::string written = site::WriteSiteReportBytes(*read.report);
    const site::SiteReportReadResult again = site::ReadSiteReportBytes(written);
    if (!again.report || site::WriteSiteReportBytes(*again.report) != written) {
        std::abort();  // the writer made a file its own reader takes otherwise
    }
    return 0;
}
