#pragma once
// Exceptions of the PDF syntax layer and their message texts.
// The object and parser classes derive directly from the general exception; the byte-source classes
// derive from TkpException.

#include <string>
#include <string_view>

#include "platform/Exception.h"

namespace kp::syntax {

namespace msg {
inline constexpr std::string_view kUnexpectedObject = "Unexpected PDF object encountered";
inline constexpr std::string_view kIndexOutOfBounds = "Index Out Of Bounds!";
inline constexpr std::string_view kNullStream = "Invalid Stream! Cannot create with null stream";
inline constexpr std::string_view kWriteOnlyFilter = "A write-only filter cannot read";
inline constexpr std::string_view kInvalidUniqueID = "Invalid unique ID (%d)";
inline constexpr std::string_view kStringRead = "Error reading PDF string (%s)";
inline constexpr std::string_view kArrayRead = "Error reading PDF array (%s)";
inline constexpr std::string_view kNameRead = "Error reading PDF name string (%s)";
inline constexpr std::string_view kDictionaryRead = "Error reading PDF dictionary (%s)";
inline constexpr std::string_view kStreamRead = "Error reading PDF stream";
inline constexpr std::string_view kEndStream = "Expected PDF endstream";
inline constexpr std::string_view kInvalidObjectNo = "Invalid object number";
inline constexpr std::string_view kBoolean = "Expected boolean (%s) object";
inline constexpr std::string_view kNullObject = "Expected PDF null object";
// Fills of the read errors' placeholder when the data ends or nests too deeply inside the construct.
inline constexpr std::string_view kEndOfData = "end of data";
inline constexpr std::string_view kNestingTooDeep = "nesting too deep";
// An indirect-object header inside the body of another, nested past the limit.
inline constexpr std::string_view kObjectNestingTooDeep = "Indirect objects nested too deeply";
}  // namespace msg

// Kind of object not acceptable where it was found (NumberOf on a name, for instance).
class EUnexpectedObjectError : public pw::Exception {
public:
    EUnexpectedObjectError() : pw::Exception(std::string(msg::kUnexpectedObject)) {}
};
// PutValue on a dictionary with an index at or above Count.
class EInvalidIndex : public pw::Exception {
public:
    EInvalidIndex() : pw::Exception(std::string(msg::kIndexOutOfBounds)) {}
};

PW_MESSAGE_EXCEPTION(TkpException, pw::Exception);
PW_MESSAGE_EXCEPTION(EInvalidID, TkpException);
PW_MESSAGE_EXCEPTION(EInvalidStream, TkpException);
PW_MESSAGE_EXCEPTION(EReadError, TkpException);

PW_MESSAGE_EXCEPTION(EStringReadError, pw::Exception);
PW_MESSAGE_EXCEPTION(EArrayReadError, pw::Exception);
PW_MESSAGE_EXCEPTION(ENameReadError, pw::Exception);
PW_MESSAGE_EXCEPTION(EDictionaryReadError, pw::Exception);
PW_MESSAGE_EXCEPTION(EStreamReadError, pw::Exception);
PW_MESSAGE_EXCEPTION(EEndStreamError, pw::Exception);
PW_MESSAGE_EXCEPTION(EInvalidObjectNo, pw::Exception);
PW_MESSAGE_EXCEPTION(EBooleanError, pw::Exception);
PW_MESSAGE_EXCEPTION(ENullObjectError, pw::Exception);


}  // namespace kp::syntax
