#pragma once
// Text strings at the document level: the wide strings of the document information, and the 8-bit texts of
// form-field names and values and of named-destination keys.

#include <string>

#include "engine/syntax/PDFObjects.h"

namespace kp {

// The document's text-string decoding (document information). Empty strings give empty text. A leading
// byte pair FE FF is dropped and marks the rest as UTF-16; text beginning with the characters "FEFF" (any
// case) is hexadecimal UTF-16 (HexTextToWide); UTF-16 text, and text whose first byte is 32 or less, is
// read as big-endian byte pairs (a lone final byte is dropped); anything else is Windows-1252. Literal
// strings arrive unescaped from the parser and are not unescaped again (a second pass would turn a title's
// "\\n" into a line break). A hexadecimal string without the "FEFF" mark is decoded to its bytes first.
std::u16string DecodeTextString(const TkpPDFStringObject& string);

// The bytes a string stands for: a literal string's (unescaped) bytes, a hexadecimal string's digits decoded.
std::string StringBytes(const TkpPDFStringObject& string);

// A text string as 8-bit text: UTF-16 text (marked by FE FF) converted to Windows-1252 ("?" where it has no
// character), any other bytes kept as they are.
std::string TextStringToAnsi(const TkpPDFStringObject& string);

// A name's text without its slash, with its "#xx" escapes decoded (an incomplete escape stays as written).
std::string DecodeNameText(const TkpPDFNameObject& name);

}  // namespace kp
