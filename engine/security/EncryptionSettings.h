#pragma once
// TkpPDFEncryptionSettings: the document's record of how it is encrypted (the outcome of the last
// accepted password) and, for the writing facilities, how it is to be encrypted on save.

#include <string>

#include "engine/security/CryptTypes.h"

namespace kp {

class TkpPDFEncryptionSettings {
public:
    bool Enabled() const { return enabled_; }
    TkpPDFEncryptionLevel Level() const { return level_; }
    // Reads as empty while the settings are locked (a document opened with its user password).
    std::string OwnerPassword() const { return changeable_ ? ownerPassword_ : std::string(); }
    const std::string& UserPassword() const { return userPassword_; }
    TkpUserPermissions UserPermissions() const { return userPermissions_; }

    // Every setter raises a plain exception "User cannot change encryption settings" while Changeable
    // is false.
    void SetEnabled(bool enabled);
    void SetLevel(TkpPDFEncryptionLevel level);
    void SetOwnerPassword(std::string password);
    void SetUserPassword(std::string password);
    void SetUserPermissions(TkpUserPermissions permissions);

    // Unpublished: false locks the settings.
    bool Changeable() const { return changeable_; }
    void SetChangeable(bool changeable) { changeable_ = changeable; }

private:
    void CheckChangeable() const;

    bool enabled_ = false;
    TkpPDFEncryptionLevel level_ = el128bit;
    std::string ownerPassword_;
    std::string userPassword_;
    TkpUserPermissions userPermissions_ = TkpUserPermissions::All();
    bool changeable_ = true;
};

}  // namespace kp
