// The values of a standard encryption dictionary and the outcome of a
// password check.
#pragma once

#include <cstdint>
#include <utility>
#include <vector>

#include "platform/vlBase.h"

enum TvlPDFEncryptionLevel : uint8_t { el40Bit, el128Bit };

enum TvlUserPermissionsType : uint8_t {
  AllowCopy,
  AllowModify,
  AllowPrint,
  AllowAnnotation,
  AllowFormFill,
  AllowAccessibility,
  AllowDocAssembly,
  AllowHighResPrint
};

// One bit per TvlUserPermissionsType.
using TvlUserPermissions = uint8_t;
constexpr TvlUserPermissions kAllPermissions = 0xFF;

// How strings and streams are enciphered.
enum class TvlCryptMethod : uint8_t { None, RC4, AESV2 };

struct TvlEncryptionSettings {
  bool Enabled = false;
  TvlPDFEncryptionLevel Level = el128Bit;
  AnsiString OwnerPassword;
  AnsiString UserPassword;
  TvlUserPermissions UserPermissions = kAllPermissions;
  uint8_t OpenedWithOwnerPassword = 1;
  AnsiString FileID;  // bytes of the first /ID string
  int32_t PermissionFlags = 0;
  // Dictionary values the key derivation needs.
  int Revision = 2;
  int KeyLength = 5;  // bytes, 5..16
  AnsiString O, U;    // bytes
  bool EncryptMetadata = true;
  TvlCryptMethod StringMethod = TvlCryptMethod::RC4;
  TvlCryptMethod StreamMethod = TvlCryptMethod::RC4;
  // Named crypt filters (/CF) for streams that pick their own.
  std::vector<std::pair<AnsiString, TvlCryptMethod>> CryptFilters;
};
