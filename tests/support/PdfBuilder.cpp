#include "support/PdfBuilder.h"

#include <algorithm>
#include <cstdio>
#include <set>

#include <zlib.h>

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

PdfBuilder& PdfBuilder::XRefStream(XRefStreamLayout layout) {
    Current().isStream = true;
    Current().layout = std::move(layout);
    return *this;
}

PdfBuilder& PdfBuilder::Compressed(int streamNumber, int number, const std::string& body) {
    Current().objectStreams[streamNumber].emplace_back(number, body);
    return *this;
}

PdfBuilder& PdfBuilder::Entry(int number, long type, long field2, long field3) {
    Current().entryOverrides[number] = {type, field2, field3};
    return *this;
}

std::string PdfBuilder::Deflate(const std::string& data) {
    uLongf length = compressBound(static_cast<uLong>(data.size()));
    std::string out(length, '\0');
    compress2(reinterpret_cast<Bytef*>(out.data()), &length, reinterpret_cast<const Bytef*>(data.data()),
              static_cast<uLong>(data.size()), Z_BEST_COMPRESSION);
    out.resize(length);
    return out;
}

namespace {

// An object stream: the header of (number, offset) pairs, then the members from /First on.
std::string ObjectStreamObject(int number, const std::vector<std::pair<int, std::string>>& members) {
    std::string header;
    std::string body;
    for (const auto& [member, text] : members) {
        header += std::to_string(member) + " " + std::to_string(body.size()) + " ";
        body += text + "\n";
    }
    const std::string data = PdfBuilder::Deflate(header + body);
    return std::to_string(number) + " 0 obj\n<< /Type /ObjStm /N " + std::to_string(members.size()) + " /First " +
           std::to_string(header.size()) + " /Filter /FlateDecode /Length " + std::to_string(data.size()) +
           " >>\nstream\n" + data + "\nendstream\nendobj\n";
}

}  // namespace

std::string PdfBuilder::Build() const {
    std::string out = header_;
    long previousXRef = -1;
    int size = 1;
    for (const Section& section : sections_) {
        const long bodyStart = static_cast<long>(out.size());
        out += section.body;
        std::map<int, long> streamOffsets;
        for (const auto& [number, members] : section.objectStreams) {
            streamOffsets[number] = static_cast<long>(out.size());
            out += ObjectStreamObject(number, members);
        }
        const long xrefOffset = static_cast<long>(out.size());
        out += section.isStream ? StreamTable(section, bodyStart, streamOffsets, xrefOffset, previousXRef, size)
                                : ClassicTable(section, bodyStart, previousXRef, size);
        previousXRef = xrefOffset;
    }
    out += "startxref\n" + (startXRef_.empty() ? std::to_string(previousXRef) : startXRef_) + "\n%%EOF\n";
    return out;
}

std::string PdfBuilder::ClassicTable(const Section& section, long bodyStart, long previousXRef, int& size) const {
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

    std::string out = "xref\n";
    for (const auto& [first, count] : ranges) {
        out += std::to_string(first) + " " + std::to_string(count) + "\n";
        for (int number = first; number < first + count; ++number) out += entry(number);
    }
    out += "trailer\n<< /Size " + std::to_string(size) + " " + section.trailer;
    if (previousXRef >= 0) out += " /Prev " + std::to_string(previousXRef);
    out += " >>\n";
    return out;
}

std::string PdfBuilder::StreamTable(const Section& section, long bodyStart, const std::map<int, long>& streamOffsets,
                                    long xrefOffset, long previousXRef, int& size) const {
    // Where each object of the section is: (type, field 2, field 3).
    std::map<int, std::vector<long>> entries;
    if (previousXRef < 0) entries[0] = {0, 0, 0};
    for (int number : section.freeNumbers) entries[number] = {0, 0, 0};
    for (const auto& [number, offset] : section.offsets) {
        const auto overridden = section.offsetOverrides.find(number);
        entries[number] = {1, overridden != section.offsetOverrides.end() ? overridden->second : bodyStart + offset, 0};
    }
    for (const auto& [stream, members] : section.objectStreams) {
        entries[stream] = {1, streamOffsets.at(stream), 0};
        for (size_t i = 0; i < members.size(); ++i) entries[members[i].first] = {2, stream, static_cast<long>(i)};
    }
    for (const auto& [number, fields] : section.entryOverrides) entries[number] = fields;
    if (!entries.empty()) size = std::max(size, entries.rbegin()->first + 1);
    const int self = size;
    if (!section.entryOverrides.count(self)) entries[self] = {1, xrefOffset, 0};
    size = self + 1;

    std::vector<std::pair<int, int>> ranges = section.layout.index;
    const bool writeIndex = !ranges.empty() || previousXRef >= 0;
    if (ranges.empty() && previousXRef < 0) {
        ranges.emplace_back(0, size);
    } else if (ranges.empty()) {
        for (const auto& [number, fields] : entries) {
            if (!ranges.empty() && ranges.back().first + ranges.back().second == number) {
                ++ranges.back().second;
            } else {
                ranges.emplace_back(number, 1);
            }
        }
    }

    // The rows: each field big-endian in its width; numbers without an entry are free.
    const std::vector<int>& widths = section.layout.widths;
    int rowWidth = 0;
    for (int width : widths) rowWidth += width;
    std::string rows;
    for (const auto& [first, count] : ranges) {
        for (int number = first; number < first + count; ++number) {
            const auto found = entries.find(number);
            const std::vector<long> fields = found != entries.end() ? found->second : std::vector<long>{0, 0, 0};
            for (size_t f = 0; f < widths.size() && f < fields.size(); ++f) {
                for (int byte = widths[f] - 1; byte >= 0; --byte) rows.push_back(static_cast<char>(fields[f] >> (8 * byte)));
            }
        }
    }
    std::string data = rows;
    if (section.layout.pngUp) {
        // Each row becomes tag 2 (Up) and its byte-wise difference from the row above.
        data.clear();
        for (size_t row = 0; row * rowWidth < rows.size(); ++row) {
            data.push_back('\x02');
            for (int j = 0; j < rowWidth; ++j) {
                const size_t at = row * rowWidth + j;
                const char above = row == 0 ? 0 : rows[at - rowWidth];
                data.push_back(static_cast<char>(rows[at] - above));
            }
        }
    }
    if (section.layout.compress) data = Deflate(data);

    std::string dict = "<< /Type /XRef /Size " + std::to_string(size) + " /W [";
    for (int width : widths) dict += " " + std::to_string(width);
    dict += " ]";
    if (writeIndex) {
        dict += " /Index [";
        for (const auto& [first, count] : ranges) dict += " " + std::to_string(first) + " " + std::to_string(count);
        dict += " ]";
    }
    if (previousXRef >= 0) dict += " /Prev " + std::to_string(previousXRef);
    if (section.layout.compress) dict += " /Filter /FlateDecode";
    if (section.layout.pngUp) dict += " /DecodeParms << /Predictor 12 /Columns " + std::to_string(rowWidth) + " >>";
    dict += " " + section.trailer + " /Length " + std::to_string(data.size()) + " >>";
    return std::to_string(self) + " 0 obj\n" + dict + "\nstream\n" + data + "\nendstream\nendobj\n";
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
