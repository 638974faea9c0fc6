#pragma once
// Converting one document: load, pages, lines. Both front ends (the desktop driver and the command line)
// call this, so a document's text is the same whichever of them wrote it.

#include <optional>
#include <string>

#include "engine/elements/ExProPDFDocument.h"
#include "platform/StringList.h"

namespace app {

// Plain: the literal strings of each page's content. Formatted: "Preserve Text Format".
enum TTextKind { tkPlain, tkFormatted };

namespace msg {
// The formatted text arrives with the page-element layout; until then asking for it fails clearly.
inline constexpr std::string_view kFormattedUnavailable = "Preserve Text Format is not available yet";
}  // namespace msg

// The text of the loaded document as its output file holds it: for every page 1..PageCount in order, or for
// the pages pageRange names in its order (kp::TkpExPDFDocument::ParsePageRange), the lines of that page,
// every line followed by CR LF, bytes unchanged, nothing between pages. A document without pages gives "".
std::string ConvertLoadedDocument(kp::TkpPDFDocument& document, TTextKind kind,
                                  const std::optional<std::string>& pageRange = std::nullopt);

// Loads path into document (replacing what it held) and converts it as ConvertLoadedDocument does.
std::string ConvertDocument(kp::TkpPDFDocument& document, const std::string& path, TTextKind kind,
                            const std::optional<std::string>& pageRange = std::nullopt);

// The output file's base name: the file name of path without its folder, cut before its first ".".
std::string OutputBaseName(const std::string& path);

}  // namespace app
