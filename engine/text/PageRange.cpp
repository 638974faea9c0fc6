// Page-range texts ("1-3,7", "2 - 4", "") into page numbers.
#include "engine/text/ExPDFDocument.h"

#include "engine/document/DocumentErrors.h"
#include "engine/text/TextErrors.h"
#include "platform/Numbers.h"

namespace kp {

namespace {

// Cuts characters with codes 0 to 32 from both ends.
std::string_view Trim(std::string_view text) {
    while (!text.empty() && static_cast<unsigned char>(text.front()) <= ' ') text.remove_prefix(1);
    while (!text.empty() && static_cast<unsigned char>(text.back()) <= ' ') text.remove_suffix(1);
    return text;
}

[[noreturn]] void InvalidRange(std::string_view filling) {
    throw document::EInvalidPageError(pw::FillMessage(text::msg::kInvalidPageRange, filling));
}

}  // namespace

void TkpExPDFDocument::ParsePageRange(const std::string& range, int32_t pageCount, TkpPageNumbers& pages) {
    const std::string text = range.empty() ? "1-" + std::to_string(pageCount) : range;
    pw::TStringList items;
    items.SetCommaText(text);

    TkpPageNumbers result;
    for (int index = 0; index < items.Count(); ++index) {
        const std::string& item = items.Strings(index);
        const size_t dash = item.find('-');
        if (dash == std::string::npos) {
            int32_t number = 0;
            if (!pw::TryStrToInt(item, number)) InvalidRange(text);
            if (number < 1 || number > pageCount) {
                throw document::EInvalidPageError(pw::FillMessage(document::msg::kInvalidPage, number));
            }
            result.push_back(number);
            continue;
        }
        const std::string_view before = Trim(std::string_view(item).substr(0, dash));
        const std::string_view after = Trim(std::string_view(item).substr(dash + 1));
        const std::string startText = before.empty() ? std::string("1") : std::string(before);
        const std::string endText = after.empty() ? std::to_string(pageCount) : std::string(after);
        int32_t start = 0;
        int32_t end = 0;
        if (!pw::TryStrToInt(startText, start) || !pw::TryStrToInt(endText, end)) InvalidRange(text);
        if (start < 1 || start > end || end > pageCount) InvalidRange(item);
        for (int32_t page = start; page <= end; ++page) result.push_back(page);
    }
    pages = std::move(result);
}

}  // namespace kp
