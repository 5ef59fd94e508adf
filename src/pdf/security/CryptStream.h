// The standard security handler as the document plugs it in: decrypts the
// strings and stream data of the objects it fetches.
#pragma once

#include <memory>

#include "pdf/core/PDParser.h"
#include "pdf/security/Decrypt.h"

// The values of an encryption dictionary and the trailer's first /ID string.
// Raises ExUnsupportedSecurity for a handler other than /Standard.
TvlEncryptionSettings ReadEncryptionSettings(TvlPDDictionary& Encrypt, TvlPDDictionary* Trailer);

class ExUnsupportedSecurity : public EKestrin {
public:
  static constexpr const char* kMessage = "Unsupported security handler";
  ExUnsupportedSecurity() : EKestrin(kMessage) {}
};

class TvlCryptStream final : public TvlPDSecurity {
public:
  explicit TvlCryptStream(const TvlEncryptionSettings& Settings);
  // Tries the empty password, then Password as user and as owner password;
  // Result receives the outcome.
  bool CheckPassword(TvlEncryptionSettings& Result, const AnsiString& Password);

  AnsiString DecryptString(const AnsiString& Bytes, const TvlPDObjectContext& Ctx) override;
  std::unique_ptr<TvlStream> DecryptStream(std::unique_ptr<TvlStream> Data, const TvlPDDictionary& Dict,
                                           const TvlPDObjectContext& Ctx) override;
  const TvlDecrypt& Decrypt() const { return FDecrypt; }
  const TvlEncryptionSettings& Settings() const { return FSettings; }

  // Encrypted stream data larger than this is cut (memory bound).
  static constexpr size_t kMaxStreamBytes = size_t(1) << 30;

private:
  TvlEncryptionSettings FSettings;
  TvlDecrypt FDecrypt;
};

// The handler for an encrypted document, with the password checked: raises
// ExInvalidPassword when neither the empty password nor Password opens it.
std::unique_ptr<TvlCryptStream> OpenStandardSecurity(TvlPDDictionary& Encrypt, TvlPDDictionary* Trailer,
                                                     const AnsiString& Password);
