#pragma once
// A document with every event recorded, loaded from builder bytes or fixture files.

#include <string>
#include <vector>

#include "engine/document/CustomPDFDocument.h"

namespace kp::test {

struct RecordingDocument : TkpCustomPDFDocument {
    RecordingDocument() {
        OnStatusMessage = [this](void*, const std::string& text) { statuses.push_back(text); };
        OnIOProgress = [this](void*, int value) { progress.push_back(value); };
        OnWarning = [this](void*, const std::string& text) { warnings.push_back(text); };
        OnBeginRead = [this](void*) { statuses.push_back("<begin>"); };
        OnEndRead = [this](void*) { statuses.push_back("<end>"); };
    }
    // The page dictionary of page n (1-based).
    TkpPDFDictObject& PageDict(int n) { return *As<TkpPDFDictObject>(Pages().at(static_cast<size_t>(n - 1))->Body.get()); }

    std::vector<std::string> statuses;
    std::vector<int> progress;
    std::vector<std::string> warnings;

    using TkpCustomPDFDocument::ReadFileStructure;
};

inline std::string Fixture(const std::string& name) { return std::string(PAGEWREN_FIXTURES) + "/" + name; }

}  // namespace kp::test
