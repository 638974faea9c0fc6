#include "engine/security/EncryptionSettings.h"

#include "engine/security/SecurityErrors.h"

namespace kp {

void TkpPDFEncryptionSettings::CheckChangeable() const {
    if (!changeable_) throw pw::Exception(std::string(security::msg::kSettingsLocked));
}

void TkpPDFEncryptionSettings::SetEnabled(bool enabled) {
    CheckChangeable();
    enabled_ = enabled;
}

void TkpPDFEncryptionSettings::SetLevel(TkpPDFEncryptionLevel level) {
    CheckChangeable();
    level_ = level;
}

void TkpPDFEncryptionSettings::SetOwnerPassword(std::string password) {
    CheckChangeable();
    ownerPassword_ = std::move(password);
}

void TkpPDFEncryptionSettings::SetUserPassword(std::string password) {
    CheckChangeable();
    userPassword_ = std::move(password);
}

void TkpPDFEncryptionSettings::SetUserPermissions(TkpUserPermissions permissions) {
    CheckChangeable();
    userPermissions_ = permissions;
}

}  // namespace kp
