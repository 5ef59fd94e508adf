// The standard security handler's ciphers, key derivation and password
// checks (RC4 revisions 2 to 4, AES-128 decryption for crypt filter AESV2).
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "pdf/core/PDModelException.h"
#include "pdf/security/EncryptionSettings.h"


using TvlMD5Digest = std::array<uint8_t, 16>;

class TvlMD5 {
public:
  TvlMD5();
  void Update(const void* Data, size_t Count);
  void Update(std::string_view S) { Update(S.data(), S.size()); }
  TvlMD5Digest Final();
  static TvlMD5Digest Hash(std::string_view S);

private:
  void Block(const uint8_t* P);
  uint32_t FState[4];
  uint64_t FLength = 0;
  uint8_t FBuffer[64];
  size_t FFill = 0;
};

class TvlRC4 {
public:
  // Raises ExInvalidKeyLen for a key shorter than 1 or longer than 256 bytes.
  TvlRC4(const uint8_t* Key, size_t Length);
  void Apply(uint8_t* Data, size_t Count);
  static AnsiString Apply(std::string_view Key, std::string_view Data);

private:
  uint8_t FS[256];
  uint8_t FI = 0, FJ = 0;
};

// AES-128 CBC decryption: the first 16 bytes are the IV, PKCS#5 padding is
// removed when it is well formed. Data shorter than one block gives nothing.
AnsiString AES128DecryptCBC(const uint8_t Key[16], std::string_view Data);
// For tests and writing: CBC encryption with the given IV and PKCS#5 padding;
// the IV is put first.
AnsiString AES128EncryptCBC(const uint8_t Key[16], const uint8_t IV[16], std::string_view Data);

// The 32-byte password padding of the standard handler.
extern const uint8_t kPasswordPadding[32];

class TvlDecrypt {
public:
  explicit TvlDecrypt(const TvlEncryptionSettings& Settings);
  // Empty password, then Password as user password, then as owner password.
  // On success fills Result and keeps the document key.
  bool CheckPassword(TvlEncryptionSettings& Result, const AnsiString& Password);
  bool AuthenticateUser(const AnsiString& Password);
  // The padded user password recovered from O, when Password is the owner's.
  bool AuthenticateOwner(const AnsiString& Password, AnsiString& UserPassword);

  // Decrypts Data of object Number/Generation with Method.
  AnsiString DecryptData(std::string_view Data, int32_t Number, int32_t Generation,
                         TvlCryptMethod Method) const;
  // The same key schedule enciphers (RC4 is symmetric); AES takes IV.
  AnsiString EncryptData(std::string_view Data, int32_t Number, int32_t Generation,
                         TvlCryptMethod Method, const uint8_t IV[16]) const;
  const AnsiString& DocumentKey() const { return FKey; }

  static AnsiString PadPassword(std::string_view Password);
  // Algorithm steps shared with the writer.
  static AnsiString ComputeKey(const TvlEncryptionSettings& S, std::string_view Password);
  static AnsiString ComputeU(const TvlEncryptionSettings& S, const AnsiString& Key);
  static AnsiString ComputeO(const TvlEncryptionSettings& S, std::string_view Owner,
                             std::string_view User);

private:
  AnsiString ObjectKey(int32_t Number, int32_t Generation, TvlCryptMethod Method) const;
  TvlEncryptionSettings FSettings;
  AnsiString FKey;
};
