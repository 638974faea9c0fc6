#pragma once
// Value types of the standard security handler: key level, security revision and the permission set.

#include <cstdint>

namespace kp {

// el40bit: 5-byte document key; el128bit: 16-byte document key.
enum TkpPDFEncryptionLevel : uint8_t { el40bit, el128bit };

// The password algorithms of the standard security handler: revision 2 (/R 2) or revision 3 (/R 3 and 4,
// which add the 50 MD5 rounds and the 20 RC4 passes).
enum TkpSecurityRevision : uint8_t { srRevision2 = 2, srRevision3 = 3 };

enum TkpUserPermissionsType : uint8_t {
    AllowCopy,
    AllowModify,
    AllowPrint,
    AllowAnnotation,
    AllowFormFill,
    AllowAccessibility,
    AllowDocAssembly,
    AllowHighResPrint,
};

// A set of TkpUserPermissionsType, one bit per permission in declaration order.
class TkpUserPermissions {
public:
    constexpr TkpUserPermissions() = default;
    static constexpr TkpUserPermissions All() { return TkpUserPermissions(0xFF); }

    constexpr bool Contains(TkpUserPermissionsType p) const { return (bits_ & Bit(p)) != 0; }
    constexpr void Include(TkpUserPermissionsType p) { bits_ = static_cast<uint8_t>(bits_ | Bit(p)); }
    constexpr void Exclude(TkpUserPermissionsType p) { bits_ = static_cast<uint8_t>(bits_ & ~Bit(p)); }
    constexpr uint8_t Bits() const { return bits_; }
    constexpr bool operator==(const TkpUserPermissions&) const = default;

private:
    constexpr explicit TkpUserPermissions(uint8_t bits) : bits_(bits) {}
    static constexpr uint8_t Bit(TkpUserPermissionsType p) { return static_cast<uint8_t>(1u << p); }
    uint8_t bits_ = 0;
};

}  // namespace kp
