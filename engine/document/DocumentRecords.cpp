#include "engine/document/DocumentRecords.h"

#include "engine/document/TextStrings.h"
#include "platform/Ansi.h"

namespace kp {

// Viewer preferences

bool TkpPDFViewerPreferences::Flag(std::string_view key) const {
    const auto* value = As<TkpPDFBooleanObject>(Dictionary->Lookup(key));
    return value != nullptr && value->Value;
}

void TkpPDFViewerPreferences::SetFlag(std::string_view key, bool value) {
    if (value) {
        Dictionary->SetBoolean(key, true);
    } else {
        Dictionary->Remove(key);
    }
}

// Document information

std::u16string TkpPDFInfo::Entry(std::string_view key) const {
    const auto* string = As<TkpPDFStringObject>(Dictionary->Lookup(key));
    return string == nullptr ? std::u16string() : DecodeTextString(*string);
}

std::u16string TkpPDFInfo::Text(TextField field) const {
    static constexpr std::string_view kKeys[kTextFields] = {"/Title", "/Author", "/Subject", "/Keywords", "/Creator",
                                                            "/Producer"};
    if (texts_[field]) return *texts_[field];
    return Entry(kKeys[field]);
}

std::string TkpPDFInfo::Date(DateField field) const {
    static constexpr std::string_view kKeys[kDateFields] = {"/CreationDate", "/ModDate"};
    if (dates_[field]) return *dates_[field];
    return pw::WideToAnsi(Entry(kKeys[field]));
}

// Named destinations

namespace {

std::string KeyName(const TkpPDFObject& key) {
    if (const auto* name = As<TkpPDFNameObject>(&key)) return name->NameValue();
    return static_cast<const TkpPDFStringObject&>(key).StringValue();
}

// The bytes a key stands for; nullopt for anything but a string or a name.
std::optional<std::string> MatchKey(const TkpPDFObject& key) {
    if (const auto* name = As<TkpPDFNameObject>(&key)) return DecodeNameText(*name);
    if (const auto* string = As<TkpPDFStringObject>(&key)) return StringBytes(*string);
    return std::nullopt;
}

}  // namespace

void TkpNamedDestinations::Add(const TkpPDFObject& key, TkpPDFObjectPtr destination) {
    std::optional<std::string> match = MatchKey(key);
    if (!match) return;
    firstByKey_.try_emplace(std::move(*match), pairs_.size());
    pairs_.emplace_back(KeyName(key), std::move(destination));
}

const TkpPDFObject* TkpNamedDestinations::Find(const TkpPDFObject& nameOrString) const {
    std::optional<std::string> match = MatchKey(nameOrString);
    if (!match) return nullptr;
    const auto found = firstByKey_.find(*match);
    return found == firstByKey_.end() ? nullptr : pairs_[found->second].second.get();
}

void TkpNamedDestinations::Clear() {
    firstByKey_.clear();
    pairs_.clear();
}

}  // namespace kp
