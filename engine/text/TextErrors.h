#pragma once
// Message texts of the page-content and plain-text unit. Its errors use the document unit's classes:
// a bad page range raises kp::document::EInvalidPageError.

#include <string_view>

namespace kp::text::msg {
inline constexpr std::string_view kInvalidPageRange = "Invalid page range (%s)";
}  // namespace kp::text::msg
