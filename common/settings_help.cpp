// The help text list.
#include "common/settings_help.h"

#include "common/settings_files.h"
#include "common/text_file.h"

namespace rave {

namespace {
constexpr std::size_t kHelpLineLimit = 140;
}

Message NoMoreDataMessage() {
    return Message{0, "これ以上データを扱えません", ""};
}

Message CouldNotRunMessage() {
    return Message{0, "実行できませんでした", ""};
}

std::vector<std::string> LoadHelpLines(const std::filesystem::path& path, MessageSink& messages,
                                       std::size_t capacity) {
    auto lines = ReadTextLines(path, kHelpLineLimit);
    if (!lines) {
        messages.Show(FileNotFoundMessage(path));
        return {};
    }
    if (lines->size() > capacity) {
        lines->resize(capacity);
        messages.Show(NoMoreDataMessage());
    }
    return std::move(*lines);
}

}  // namespace rave
