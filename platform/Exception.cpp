#include "platform/Exception.h"

namespace pw {

std::string FillMessage(std::string_view pattern, std::initializer_list<std::string_view> fills) {
    std::string out;
    out.reserve(pattern.size() + 16);
    auto next = fills.begin();
    for (size_t i = 0; i < pattern.size(); ++i) {
        if (next != fills.end() && pattern[i] == '%' && i + 1 < pattern.size() &&
            (pattern[i + 1] == 's' || pattern[i + 1] == 'd')) {
            out.append(*next++);
            ++i;
        } else {
            out.push_back(pattern[i]);
        }
    }
    return out;
}

std::string FillMessage(std::string_view pattern, int64_t fill) {
    const std::string text = std::to_string(fill);
    return FillMessage(pattern, {text});
}

EFOpenError::EFOpenError(std::string_view fileName, std::string_view systemText)
    : Exception(FillMessage(msg::kCannotOpenFile, {fileName, systemText})) {}

}  // namespace pw
