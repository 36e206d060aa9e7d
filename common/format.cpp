// Placeholder substitution for message texts.
#include "common/format.h"

namespace rave {

std::string SubstitutePlaceholder(std::string_view text, std::string_view argument) {
    std::string result;
    result.reserve(text.size() + argument.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && i + 1 < text.size() && text[i + 1] == '1') {
            result.append(argument);
            ++i;
        } else {
            result.push_back(text[i]);
        }
    }
    return result;
}

}  // namespace rave
