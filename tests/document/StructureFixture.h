#pragma once
// One-page test documents whose catalog carries the document-level entries under test.

#include <gtest/gtest.h>

#include <map>
#include <string>

#include "DocumentFixture.h"
#include "support/PdfBuilder.h"

namespace kp::test {

// Catalog 1 (with catalogEntries), page tree 2, page 3 (with pageEntries), then the given objects. Numbers
// below the highest that no object takes are free entries; trailerEntries are added after /Root.
inline PdfBuilder StructureBuilder(const std::string& catalogEntries, const std::map<int, std::string>& objects = {},
                                   const std::string& pageEntries = "", const std::string& trailerEntries = "") {
    PdfBuilder pdf;
    pdf.Object(1, "<< /Type /Catalog /Pages 2 0 R " + catalogEntries + " >>");
    pdf.Object(2, "<< /Type /Pages /Kids [3 0 R] /Count 1 >>");
    pdf.Object(3, "<< /Type /Page /Parent 2 0 R /MediaBox [0 0 612 792] " + pageEntries + " >>");
    for (const auto& [number, body] : objects) pdf.Object(number, body);
    pdf.Trailer("/Root 1 0 R " + trailerEntries);
    return pdf;
}

inline std::string StructureFile(const std::string& catalogEntries, const std::map<int, std::string>& objects = {},
                                 const std::string& pageEntries = "", const std::string& trailerEntries = "") {
    return StructureBuilder(catalogEntries, objects, pageEntries, trailerEntries).Build();
}

// Loading must fail with exactly this message; why names the case.
inline void ExpectLoadFails(const std::string& file, const std::string& message, const std::string& why) {
    RecordingDocument doc;
    try {
        doc.LoadFromMemory(file);
        ADD_FAILURE() << why << ": loaded";
    } catch (const std::exception& e) {
        EXPECT_EQ(std::string(e.what()), message) << why;
    }
}

}  // namespace kp::test
