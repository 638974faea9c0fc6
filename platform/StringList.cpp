#include "platform/StringList.h"

#include "platform/Streams.h"

namespace pw {

const std::string& TStringList::Strings(int index) const {
    if (index < 0 || index >= Count()) throw EListError(FillMessage(msg::kListIndexOutOfBounds, index));
    return lines_[static_cast<size_t>(index)].Text;
}

TObject* TStringList::Objects(int index) const {
    if (index < 0 || index >= Count()) throw EListError(FillMessage(msg::kListIndexOutOfBounds, index));
    return lines_[static_cast<size_t>(index)].Object.get();
}

int TStringList::Add(std::string line) { return AddObject(std::move(line), nullptr); }

int TStringList::AddObject(std::string line, std::unique_ptr<TObject> object) {
    lines_.push_back(Line{std::move(line), std::move(object)});
    return Count() - 1;
}

void TStringList::AddStrings(const TStringList& other) {
    for (const Line& line : other.lines_) lines_.push_back(Line{line.Text, nullptr});
}

void TStringList::AddStrings(TStringList&& other) {
    if (lines_.empty()) {
        lines_ = std::move(other.lines_);
        for (Line& line : lines_) line.Object.reset();
    } else {
            for (Line& line : other.lines_) lines_.push_back(Line{std::move(line.Text), nullptr});
    }
    other.lines_.clear();
}

namespace {
bool IsBlank(char c) { return c >= 1 && static_cast<unsigned char>(c) <= ' '; }
}  // namespace

void TStringList::SetCommaText(std::string_view text) {
    Clear();
    // A zero byte ends the text, as the end of a C string does.
    text = text.substr(0, text.find('\0'));
    size_t p = 0;
    const size_t n = text.size();
    while (p < n && IsBlank(text[p])) ++p;
    while (p < n) {
        std::string item;
        if (text[p] == '"') {
            ++p;
            while (p < n) {
                if (text[p] == '"') {
                    if (p + 1 < n && text[p + 1] == '"') {
                        item += '"';
                        p += 2;
                        continue;
                    }
                    ++p;  // the closing quote
                    break;
                }
                item += text[p++];
            }
        } else {
            const size_t start = p;
            while (p < n && static_cast<unsigned char>(text[p]) > ' ' && text[p] != ',') ++p;
            item.assign(text.substr(start, p - start));
        }
        Add(std::move(item));
        while (p < n && IsBlank(text[p])) ++p;
        if (p < n && text[p] == ',') {
            if (p + 1 == n) Add(std::string());
            do {
                ++p;
            } while (p < n && IsBlank(text[p]));
        }
    }
}

std::string TStringList::Text() const {
    size_t size = 0;
    for (const Line& line : lines_) size += line.Text.size() + 2;
    std::string text;
    text.reserve(size);
    for (const Line& line : lines_) {
        text += line.Text;
        text += "\r\n";
    }
    return text;
}

void TStringList::SaveToFile(const std::string& fileName) const {
    const std::string text = Text();
    TFileStream file(fileName, fmCreate);
    const auto size = static_cast<int64_t>(text.size());
    if (file.Write(text.data(), size) != size) throw EWriteError();
}

}  // namespace pw
