#include "support/PdfBuilder.h"

#include <algorithm>
#include <cstdio>
#include <set>

namespace kp::test {

PdfBuilder& PdfBuilder::Object(int number, const std::string& body, int generation) {
    Current().offsets[number] = static_cast<long>(Current().body.size());
    Current().body += std::to_string(number) + " " + std::to_string(generation) + " obj\n" + body + "\nendobj\n";
    return *this;
}

PdfBuilder& PdfBuilder::Stream(int number, const std::string& dictEntries, const std::string& data,
                               const std::string& lengthValue) {
    const std::string length = lengthValue.empty() ? std::to_string(data.size()) : lengthValue;
    return Object(number, "<< " + dictEntries + " /Length " + length + " >>\nstream\n" + data + "\nendstream");
}

PdfBuilder& PdfBuilder::Raw(const std::string& bytes) {
    Current().body += bytes;
    return *this;
}

PdfBuilder& PdfBuilder::NewSection() {
    sections_.emplace_back();
    return *this;
}

PdfBuilder& PdfBuilder::Trailer(const std::string& entries) {
    Current().trailer = entries;
    return *this;
}

PdfBuilder& PdfBuilder::Free(int number) {
    Current().freeNumbers.push_back(number);
    return *this;
}

PdfBuilder& PdfBuilder::EntryEnd(const std::string& eol) {
    entryEnd_ = eol;
    return *this;
}

PdfBuilder& PdfBuilder::StartXRef(const std::string& value) {
    startXRef_ = value;
    return *this;
}

PdfBuilder& PdfBuilder::OffsetOf(int number, long offset) {
    Current().offsetOverrides[number] = offset;
    return *this;
}

PdfBuilder& PdfBuilder::Subsections(std::vector<std::pair<int, int>> ranges) {
    Current().subsections = std::move(ranges);
    return *this;
}

std::string PdfBuilder::Build() const {
    std::string out = header_;
    long previousXRef = -1;
    int size = 1;
    for (const Section& section : sections_) {
        const long bodyStart = static_cast<long>(out.size());
        out += section.body;
        const long xrefOffset = static_cast<long>(out.size());

        std::set<int> numbers(section.freeNumbers.begin(), section.freeNumbers.end());
        for (const auto& [number, offset] : section.offsets) numbers.insert(number);
        if (previousXRef < 0) numbers.insert(0);  // the first section starts with the free head entry
        for (int number : numbers) size = std::max(size, number + 1);

        std::vector<std::pair<int, int>> ranges = section.subsections;
        if (ranges.empty() && previousXRef < 0) {
            // The first section covers 0 to its highest number without gaps; missing numbers are free.
            ranges.emplace_back(0, *numbers.rbegin() + 1);
        } else if (ranges.empty()) {
            for (int number : numbers) {
                if (!ranges.empty() && ranges.back().first + ranges.back().second == number) {
                    ++ranges.back().second;
                } else {
                    ranges.emplace_back(number, 1);
                }
            }
        }
        auto entry = [&](int number) {
            char line[32];
            const auto found = section.offsets.find(number);
            const bool isFree = number == 0 || found == section.offsets.end() ||
                                std::count(section.freeNumbers.begin(), section.freeNumbers.end(), number) > 0;
            if (isFree) {
                std::snprintf(line, sizeof line, "%010d %05d f", 0, number == 0 ? 65535 : 1);
            } else {
                const auto overridden = section.offsetOverrides.find(number);
                const long offset = overridden != section.offsetOverrides.end() ? overridden->second
                                                                               : bodyStart + found->second;
                std::snprintf(line, sizeof line, "%010ld %05d n", offset, 0);
            }
            return std::string(line) + entryEnd_;
        };

        out += "xref\n";
        for (const auto& [first, count] : ranges) {
            out += std::to_string(first) + " " + std::to_string(count) + "\n";
            for (int number = first; number < first + count; ++number) out += entry(number);
        }
        out += "trailer\n<< /Size " + std::to_string(size) + " " + section.trailer;
        if (previousXRef >= 0) out += " /Prev " + std::to_string(previousXRef);
        out += " >>\n";
        previousXRef = xrefOffset;
    }
    out += "startxref\n" + (startXRef_.empty() ? std::to_string(previousXRef) : startXRef_) + "\n%%EOF\n";
    return out;
}

PdfBuilder PdfBuilder::Simple(int pages) {
    PdfBuilder pdf;
    pdf.Object(1, "<< /Type /Catalog /Pages 2 0 R >>");
    std::string kids;
    for (int i = 0; i < pages; ++i) kids += std::to_string(3 + i) + " 0 R ";
    pdf.Object(2, "<< /Type /Pages /Kids [" + kids + "] /Count " + std::to_string(pages) +
                      " /MediaBox [0 0 612 792] >>");
    for (int i = 0; i < pages; ++i) pdf.Object(3 + i, "<< /Type /Page /Parent 2 0 R >>");
    return pdf;
}

}  // namespace kp::test
