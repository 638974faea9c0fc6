#pragma once
// Records of the document-level structures read at load: the catalog's entries, the viewer preferences,
// the document information, the named destinations. The document owns them; they are filled during the
// catalog traversal.

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "engine/syntax/PDFObjects.h"

namespace kp {

class TkpPDFViewerPreferences {
public:
    TkpPDFViewerPreferences() : Dictionary(std::make_unique<TkpPDFDictObject>()) {}
    std::unique_ptr<TkpPDFDictObject> Dictionary;  // a copy of the catalog's /ViewerPreferences
};

class TkpPDFInfo {
public:
    TkpPDFInfo() : Dictionary(std::make_unique<TkpPDFDictObject>()) {}
    std::unique_ptr<TkpPDFDictObject> Dictionary;  // a copy of the trailer's /Info dictionary
    // True once the dictionary came from an object stream member, so the catalog step does not fetch it again.
    bool FromObjectStream = false;
};

class TkpPDFCatalog {
public:
    TkpPDFViewerPreferences ViewerPreferences;
    TkpPDFObjectPtr Names;       // copy of /Names
    TkpPDFObjectPtr OpenAction;  // copy of /OpenAction
    TkpPDFObjectPtr AcroForm;    // the interactive-form entry (a reference)
    TkpPDFObjectPtr Metadata;    // the /Metadata reference
    TkpPDFObjectPtr AA;          // copy of /AA
};

// (name, destination) pairs in the order found; the destination is a copy of an explicit destination array
// or the null object. Names carry no delimiters.
using TkpNamedDestinations = std::vector<std::pair<std::string, TkpPDFObjectPtr>>;

}  // namespace kp
