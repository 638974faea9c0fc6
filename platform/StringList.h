#pragma once
// TStringList: an ordered list of 8-bit strings, each optionally with an owned object attached.
// Bytes are held and written unchanged: no code-page conversion, no normalisation of line ends.

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Exception.h"

namespace pw {

// The base of objects a string list can own beside its lines.
class TObject {
public:
    virtual ~TObject() = default;
};

namespace msg {
inline constexpr std::string_view kStreamWriteError = "Stream write error";
}  // namespace msg

// Fewer bytes reached the file than were written to it (a full disk, for instance).
class EWriteError : public Exception {
public:
    EWriteError() : Exception(std::string(msg::kStreamWriteError)) {}
};

class TStringList {
public:
    TStringList() = default;
    TStringList(const TStringList&) = delete;
    TStringList& operator=(const TStringList&) = delete;
    TStringList(TStringList&&) = default;
    TStringList& operator=(TStringList&&) = default;

    int Count() const { return static_cast<int>(lines_.size()); }
    // The line at index; an index outside 0..Count-1 raises EListError "List index out of bounds (%d)".
    const std::string& Strings(int index) const;
    // The object attached to the line at index, nullptr when none; the list keeps owning it.
    TObject* Objects(int index) const;

    // Appends a line (with an owned object) and returns its index.
    int Add(std::string line);
    int AddObject(std::string line, std::unique_ptr<TObject> object);
    // Appends every line of other, in order. Attached objects stay with other: a list owns its objects.
    void AddStrings(const TStringList& other);
    // The same, moving the lines out of a list about to be discarded; its objects are freed with it.
    void AddStrings(TStringList&& other);
    void Clear() { lines_.clear(); }

    // Replaces the content with the items of a comma list: blanks (codes 1 to 32) before and after an item
    // are skipped; an item in double quotes runs to the closing quote (a doubled quote stands for one);
    // any other item ends at a comma or a byte of code 32 or less, so blanks separate items as commas do;
    // a comma right at the end gives an empty last item. A zero byte ends the text.
    void SetCommaText(std::string_view text);

    // Every line followed by CR LF, bytes as held.
    std::string Text() const;
    // Creates or overwrites the file with Text(). An open failure raises EFOpenError, a short write
    // EWriteError.
    void SaveToFile(const std::string& fileName) const;

private:
    struct Line {
        std::string Text;
        std::unique_ptr<TObject> Object;
    };
    std::vector<Line> lines_;
};

}  // namespace pw
