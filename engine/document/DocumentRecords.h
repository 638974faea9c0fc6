#pragma once
// Records of the document-level structures read at load: the catalog's entries, the viewer preferences,
// the document information, the named destinations. The document owns them; they are filled during the
// catalog traversal. The outline tree and the form-field records have headers of their own (Outlines.h,
// AcroFormField.h).

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

#include "engine/syntax/PDFObjects.h"

namespace kp {

// The viewer preferences: each flag reads the key of its name in the dictionary (true only for the boolean
// true); setting a flag true writes the key as true, setting it false removes the key.
class TkpPDFViewerPreferences {
public:
    TkpPDFViewerPreferences() : Dictionary(std::make_unique<TkpPDFDictObject>()) {}

    bool HideToolbar() const { return Flag("/HideToolbar"); }
    void SetHideToolbar(bool value) { SetFlag("/HideToolbar", value); }
    bool HideMenubar() const { return Flag("/HideMenubar"); }
    void SetHideMenubar(bool value) { SetFlag("/HideMenubar", value); }
    bool HideWindowUI() const { return Flag("/HideWindowUI"); }
    void SetHideWindowUI(bool value) { SetFlag("/HideWindowUI", value); }
    bool FitWindow() const { return Flag("/FitWindow"); }
    void SetFitWindow(bool value) { SetFlag("/FitWindow", value); }
    bool CenterWindow() const { return Flag("/CenterWindow"); }
    void SetCenterWindow(bool value) { SetFlag("/CenterWindow", value); }
    bool DisplayDocTitle() const { return Flag("/DisplayDocTitle"); }
    void SetDisplayDocTitle(bool value) { SetFlag("/DisplayDocTitle", value); }

    // Empty in a fresh state; a copy of the catalog's /ViewerPreferences after the load.
    std::unique_ptr<TkpPDFDictObject> Dictionary;

private:
    bool Flag(std::string_view key) const;
    void SetFlag(std::string_view key, bool value);
};

// The document information. Each getter gives the value set through its setter when one was set; otherwise
// the dictionary's entry of the same name when it is a string, through the document's text-string decoding
// (the dates as Windows-1252 text); otherwise empty.
class TkpPDFInfo {
public:
    TkpPDFInfo() : Dictionary(std::make_unique<TkpPDFDictObject>()) {}

    std::u16string Title() const { return Text(kTitle); }
    void SetTitle(std::u16string value) { texts_[kTitle] = std::move(value); }
    std::u16string Author() const { return Text(kAuthor); }
    void SetAuthor(std::u16string value) { texts_[kAuthor] = std::move(value); }
    std::u16string Subject() const { return Text(kSubject); }
    void SetSubject(std::u16string value) { texts_[kSubject] = std::move(value); }
    std::u16string Keywords() const { return Text(kKeywords); }
    void SetKeywords(std::u16string value) { texts_[kKeywords] = std::move(value); }
    std::u16string Creator() const { return Text(kCreator); }
    void SetCreator(std::u16string value) { texts_[kCreator] = std::move(value); }
    std::u16string Producer() const { return Text(kProducer); }
    void SetProducer(std::u16string value) { texts_[kProducer] = std::move(value); }
    std::string CreationDate() const { return Date(kCreationDate); }
    void SetCreationDate(std::string value) { dates_[kCreationDate] = std::move(value); }
    std::string ModDate() const { return Date(kModDate); }
    void SetModDate(std::string value) { dates_[kModDate] = std::move(value); }

    // A copy of the trailer's /Info dictionary (empty in a fresh state).
    std::unique_ptr<TkpPDFDictObject> Dictionary;
    // True once the dictionary came from an object stream member, so the catalog step does not fetch it again.
    bool FromObjectStream = false;

private:
    enum TextField { kTitle, kAuthor, kSubject, kKeywords, kCreator, kProducer, kTextFields };
    enum DateField { kCreationDate, kModDate, kDateFields };
    std::u16string Text(TextField field) const;
    std::string Date(DateField field) const;
    std::u16string Entry(std::string_view key) const;

    std::array<std::optional<std::u16string>, kTextFields> texts_;
    std::array<std::optional<std::string>, kDateFields> dates_;
};

class TkpPDFCatalog {
public:
    TkpPDFViewerPreferences ViewerPreferences;
    TkpPDFObjectPtr Names;       // copy of /Names
    TkpPDFObjectPtr OpenAction;  // copy of /OpenAction
    TkpPDFObjectPtr AcroForm;    // the interactive-form entry: a reference (a direct form gets its own object)
    TkpPDFObjectPtr Metadata;    // the /Metadata reference
    TkpPDFObjectPtr AA;          // copy of /AA
};

// (name, destination) pairs in the order found, duplicates kept; the destination is a copy of an explicit
// destination array or the null object. Names carry no delimiters: a name object's text without its slash,
// a literal string's bytes, a hexadecimal string's digits as written.
//
// Find matches by the bytes a key stands for, so a destination named by the string (Intro), the hexadecimal
// string <496E74726F> or the name /Intro is found under any of the three; the first pair added wins.
class TkpNamedDestinations {
public:
    // key must be a string or a name.
    void Add(const TkpPDFObject& key, TkpPDFObjectPtr destination);
    int32_t Count() const { return static_cast<int32_t>(pairs_.size()); }
    const std::string& Name(int32_t index) const { return pairs_.at(static_cast<size_t>(index)).first; }
    const TkpPDFObject* Destination(int32_t index) const { return pairs_.at(static_cast<size_t>(index)).second.get(); }
    // The destination of the first pair whose key matches a string or name, or nullptr.
    const TkpPDFObject* Find(const TkpPDFObject& nameOrString) const;
    void Clear();

private:
    std::vector<std::pair<std::string, TkpPDFObjectPtr>> pairs_;
    std::unordered_map<std::string, size_t> firstByKey_;  // matched bytes -> position of the first pair
};

}  // namespace kp
