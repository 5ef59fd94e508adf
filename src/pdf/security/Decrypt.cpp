#include "pdf/security/Decrypt.h"

#include <cstring>
#include <vector>

const uint8_t kPasswordPadding[32] = {0x28, 0xBF, 0x4E, 0x5E, 0x4E, 0x75, 0x8A, 0x41,
                                      0x64, 0x00, 0x4E, 0x56, 0xFF, 0xFA, 0x01, 0x08,
                                      0x2E, 0x2E, 0x00, 0xB6, 0xD0, 0x68, 0x3E, 0x80,
                                      0x2F, 0x0C, 0xA9, 0xFE, 0x64, 0x53, 0x69, 0x7A};

// ---- MD5 (RFC 1321) ----

namespace {

constexpr uint32_t kMD5Shift[64] = {7, 12, 17, 22, 7, 12, 17, 22, 7, 12, 17, 22, 7, 12, 17, 22,
                                    5, 9,  14, 20, 5, 9,  14, 20, 5, 9,  14, 20, 5, 9,  14, 20,
                                    4, 11, 16, 23, 4, 11, 16, 23, 4, 11, 16, 23, 4, 11, 16, 23,
                                    6, 10, 15, 21, 6, 10, 15, 21, 6, 10, 15, 21, 6, 10, 15, 21};

constexpr uint32_t kMD5Table[64] = {
    0xd76aa478, 0xe8c7b756, 0x242070db, 0xc1bdceee, 0xf57c0faf, 0x4787c62a, 0xa8304613, 0xfd469501,
    0x698098d8, 0x8b44f7af, 0xffff5bb1, 0x895cd7be, 0x6b901122, 0xfd987193, 0xa679438e, 0x49b40821,
    0xf61e2562, 0xc040b340, 0x265e5a51, 0xe9b6c7aa, 0xd62f105d, 0x02441453, 0xd8a1e681, 0xe7d3fbc8,
    0x21e1cde6, 0xc33707d6, 0xf4d50d87, 0x455a14ed, 0xa9e3e905, 0xfcefa3f8, 0x676f02d9, 0x8d2a4c8a,
    0xfffa3942, 0x8771f681, 0x6d9d6122, 0xfde5380c, 0xa4beea44, 0x4bdecfa9, 0xf6bb4b60, 0xbebfbc70,
    0x289b7ec6, 0xeaa127fa, 0xd4ef3085, 0x04881d05, 0xd9d4d039, 0xe6db99e5, 0x1fa27cf8, 0xc4ac5665,
    0xf4292244, 0x432aff97, 0xab9423a7, 0xfc93a039, 0x655b59c3, 0x8f0ccc92, 0xffeff47d, 0x85845dd1,
    0x6fa87e4f, 0xfe2ce6e0, 0xa3014314, 0x4e0811a1, 0xf7537e82, 0xbd3af235, 0x2ad7d2bb, 0xeb86d391};

inline uint32_t Rotl(uint32_t X, uint32_t N) { return (X << N) | (X >> (32 - N)); }

}  // namespace

TvlMD5::TvlMD5() : FState{0x67452301, 0xefcdab89, 0x98badcfe, 0x10325476}, FBuffer{} {}

void TvlMD5::Block(const uint8_t* P) {
  uint32_t m[16];
  for (int i = 0; i < 16; ++i)
    m[i] = uint32_t(P[i * 4]) | uint32_t(P[i * 4 + 1]) << 8 | uint32_t(P[i * 4 + 2]) << 16 |
           uint32_t(P[i * 4 + 3]) << 24;
  uint32_t a = FState[0], b = FState[1], c = FState[2], d = FState[3];
  for (int i = 0; i < 64; ++i) {
    uint32_t f;
    int g;
    if (i < 16) {
      f = (b & c) | (~b & d);
      g = i;
    } else if (i < 32) {
      f = (d & b) | (~d & c);
      g = (5 * i + 1) & 15;
    } else if (i < 48) {
      f = b ^ c ^ d;
      g = (3 * i + 5) & 15;
    } else {
      f = c ^ (b | ~d);
      g = (7 * i) & 15;
    }
    uint32_t t = d;
    d = c;
    c = b;
    b = b + Rotl(a + f + kMD5Table[i] + m[g], kMD5Shift[i]);
    a = t;
  }
  FState[0] += a;
  FState[1] += b;
  FState[2] += c;
  FState[3] += d;
}

void TvlMD5::Update(const void* Data, size_t Count) {
  const auto* p = static_cast<const uint8_t*>(Data);
  FLength += Count;
  while (Count > 0) {
    size_t n = std::min(Count, 64 - FFill);
    std::memcpy(FBuffer + FFill, p, n);
    FFill += n;
    p += n;
    Count -= n;
    if (FFill == 64) {
      Block(FBuffer);
      FFill = 0;
    }
  }
}

TvlMD5Digest TvlMD5::Final() {
  uint64_t bits = FLength * 8;
  uint8_t pad = 0x80;
  Update(&pad, 1);
  pad = 0;
  while (FFill != 56) Update(&pad, 1);
  uint8_t len[8];
  for (int i = 0; i < 8; ++i) len[i] = uint8_t(bits >> (8 * i));
  Update(len, 8);
  TvlMD5Digest out;
  for (int i = 0; i < 16; ++i) out[i] = uint8_t(FState[i / 4] >> (8 * (i % 4)));
  return out;
}

TvlMD5Digest TvlMD5::Hash(std::string_view S) {
  TvlMD5 m;
  m.Update(S);
  return m.Final();
}

// ---- RC4 ----

TvlRC4::TvlRC4(const uint8_t* Key, size_t Length) {
  if (Length < 1 || Length > 256) throw ExInvalidKeyLen();
  for (int i = 0; i < 256; ++i) FS[i] = uint8_t(i);
  uint8_t j = 0;
  for (int i = 0; i < 256; ++i) {
    j = uint8_t(j + FS[i] + Key[i % Length]);
    std::swap(FS[i], FS[j]);
  }
}

void TvlRC4::Apply(uint8_t* Data, size_t Count) {
  for (size_t k = 0; k < Count; ++k) {
    FI = uint8_t(FI + 1);
    FJ = uint8_t(FJ + FS[FI]);
    std::swap(FS[FI], FS[FJ]);
    Data[k] ^= FS[uint8_t(FS[FI] + FS[FJ])];
  }
}

AnsiString TvlRC4::Apply(std::string_view Key, std::string_view Data) {
  TvlRC4 rc4(reinterpret_cast<const uint8_t*>(Key.data()), Key.size());
  AnsiString out(Data);
  rc4.Apply(reinterpret_cast<uint8_t*>(out.data()), out.size());
  return out;
}

// ---- AES-128 (FIPS 197) ----

namespace {

struct TvlAESTables {
  uint8_t S[256], Inv[256];
  TvlAESTables() {
    // The S-box from the multiplicative inverse in GF(2^8) and the affine map.
    uint8_t p = 1, q = 1;
    do {
      p = uint8_t(p ^ (p << 1) ^ (p & 0x80 ? 0x1B : 0));
      q ^= uint8_t(q << 1);
      q ^= uint8_t(q << 2);
      q ^= uint8_t(q << 4);
      if (q & 0x80) q ^= 0x09;
      uint8_t x = uint8_t(q ^ Rot(q, 1) ^ Rot(q, 2) ^ Rot(q, 3) ^ Rot(q, 4));
      S[p] = x ^ 0x63;
    } while (p != 1);
    S[0] = 0x63;
    for (int i = 0; i < 256; ++i) Inv[S[i]] = uint8_t(i);
  }
  static uint8_t Rot(uint8_t X, int N) { return uint8_t((X << N) | (X >> (8 - N))); }
};

const TvlAESTables& AES() {
  static const TvlAESTables t;
  return t;
}

inline uint8_t XTime(uint8_t X) { return uint8_t((X << 1) ^ (X & 0x80 ? 0x1B : 0)); }

uint8_t Mul(uint8_t A, uint8_t B) {
  uint8_t r = 0;
  while (B) {
    if (B & 1) r ^= A;
    A = XTime(A);
    B >>= 1;
  }
  return r;
}

void ExpandKey(const uint8_t Key[16], uint8_t W[176]) {
  const auto& t = AES();
  std::memcpy(W, Key, 16);
  uint8_t rcon = 1;
  for (int i = 16; i < 176; i += 4) {
    uint8_t tmp[4] = {W[i - 4], W[i - 3], W[i - 2], W[i - 1]};
    if (i % 16 == 0) {
      uint8_t f = tmp[0];
      tmp[0] = uint8_t(t.S[tmp[1]] ^ rcon);
      tmp[1] = t.S[tmp[2]];
      tmp[2] = t.S[tmp[3]];
      tmp[3] = t.S[f];
      rcon = XTime(rcon);
    }
    for (int k = 0; k < 4; ++k) W[i + k] = W[i - 16 + k] ^ tmp[k];
  }
}

void AddRoundKey(uint8_t* B, const uint8_t* K) {
  for (int i = 0; i < 16; ++i) B[i] ^= K[i];
}

void EncryptBlock(const uint8_t W[176], uint8_t* B) {
  const auto& t = AES();
  AddRoundKey(B, W);
  for (int round = 1; round <= 10; ++round) {
    uint8_t s[16];
    for (int i = 0; i < 16; ++i) s[i] = t.S[B[i]];
    // Row r of column c moves to column c - r.
    for (int c = 0; c < 4; ++c)
      for (int r = 0; r < 4; ++r) B[c * 4 + r] = s[((c + r) % 4) * 4 + r];
    if (round != 10) {
      for (int c = 0; c < 4; ++c) {
        uint8_t* col = B + c * 4;
        uint8_t a0 = col[0], a1 = col[1], a2 = col[2], a3 = col[3];
        col[0] = uint8_t(Mul(a0, 2) ^ Mul(a1, 3) ^ a2 ^ a3);
        col[1] = uint8_t(a0 ^ Mul(a1, 2) ^ Mul(a2, 3) ^ a3);
        col[2] = uint8_t(a0 ^ a1 ^ Mul(a2, 2) ^ Mul(a3, 3));
        col[3] = uint8_t(Mul(a0, 3) ^ a1 ^ a2 ^ Mul(a3, 2));
      }
    }
    AddRoundKey(B, W + round * 16);
  }
}

void DecryptBlock(const uint8_t W[176], uint8_t* B) {
  const auto& t = AES();
  AddRoundKey(B, W + 160);
  for (int round = 9; round >= 0; --round) {
    uint8_t s[16];
    std::memcpy(s, B, 16);
    for (int c = 0; c < 4; ++c)
      for (int r = 0; r < 4; ++r) B[((c + r) % 4) * 4 + r] = t.Inv[s[c * 4 + r]];
    AddRoundKey(B, W + round * 16);
    if (round != 0) {
      for (int c = 0; c < 4; ++c) {
        uint8_t* col = B + c * 4;
        uint8_t a0 = col[0], a1 = col[1], a2 = col[2], a3 = col[3];
        col[0] = uint8_t(Mul(a0, 14) ^ Mul(a1, 11) ^ Mul(a2, 13) ^ Mul(a3, 9));
        col[1] = uint8_t(Mul(a0, 9) ^ Mul(a1, 14) ^ Mul(a2, 11) ^ Mul(a3, 13));
        col[2] = uint8_t(Mul(a0, 13) ^ Mul(a1, 9) ^ Mul(a2, 14) ^ Mul(a3, 11));
        col[3] = uint8_t(Mul(a0, 11) ^ Mul(a1, 13) ^ Mul(a2, 9) ^ Mul(a3, 14));
      }
    }
  }
}

}  // namespace

AnsiString AES128DecryptCBC(const uint8_t Key[16], std::string_view Data) {
  if (Data.size() < 32) return {};
  uint8_t w[176];
  ExpandKey(Key, w);
  uint8_t prev[16];
  std::memcpy(prev, Data.data(), 16);
  size_t blocks = (Data.size() - 16) / 16;  // a partial last block is dropped
  AnsiString out(blocks * 16, '\0');
  auto* o = reinterpret_cast<uint8_t*>(out.data());
  const auto* in = reinterpret_cast<const uint8_t*>(Data.data()) + 16;
  for (size_t b = 0; b < blocks; ++b) {
    uint8_t blk[16];
    std::memcpy(blk, in + b * 16, 16);
    DecryptBlock(w, blk);
    for (int i = 0; i < 16; ++i) o[b * 16 + i] = blk[i] ^ prev[i];
    std::memcpy(prev, in + b * 16, 16);
  }
  const size_t total = blocks * 16;
  const uint8_t pad = o[total - 1];
  bool wellFormed = pad >= 1 && pad <= 16;
  for (size_t i = 0; wellFormed && i < pad; ++i) wellFormed = o[total - 1 - i] == pad;
  return AnsiString(out.data(), wellFormed ? total - pad : total);
}

AnsiString AES128EncryptCBC(const uint8_t Key[16], const uint8_t IV[16], std::string_view Data) {
  uint8_t w[176];
  ExpandKey(Key, w);
  size_t pad = 16 - Data.size() % 16;
  AnsiString plain(Data);
  plain.append(pad, char(pad));
  AnsiString out(reinterpret_cast<const char*>(IV), 16);
  uint8_t prev[16];
  std::memcpy(prev, IV, 16);
  for (size_t b = 0; b < plain.size(); b += 16) {
    uint8_t blk[16];
    for (int i = 0; i < 16; ++i) blk[i] = uint8_t(plain[b + i]) ^ prev[i];
    EncryptBlock(w, blk);
    out.append(reinterpret_cast<const char*>(blk), 16);
    std::memcpy(prev, blk, 16);
  }
  return out;
}

// ---- Key derivation and password checks ----

namespace {

AnsiString DigestBytes(const TvlMD5Digest& D, size_t N) {
  return AnsiString(reinterpret_cast<const char*>(D.data()), std::min<size_t>(N, 16));
}

// Twenty RC4 passes with the key XORed with 0..19 (or 19..0 when Down).
AnsiString Rc4Passes(const AnsiString& Key, AnsiString Data, bool Down) {
  for (int n = 0; n < 20; ++n) {
    int x = Down ? 19 - n : n;
    AnsiString k = Key;
    for (char& c : k) c = char(uint8_t(c) ^ x);
    Data = TvlRC4::Apply(k, Data);
  }
  return Data;
}

AnsiString Padding() { return AnsiString(reinterpret_cast<const char*>(kPasswordPadding), 32); }

}  // namespace

TvlDecrypt::TvlDecrypt(const TvlEncryptionSettings& Settings) : FSettings(Settings) {
  if (FSettings.KeyLength < 5) FSettings.KeyLength = 5;
  if (FSettings.KeyLength > 16) FSettings.KeyLength = 16;
  if (FSettings.Revision < 3) FSettings.KeyLength = 5;
}

AnsiString TvlDecrypt::PadPassword(std::string_view Password) {
  AnsiString p(Password.substr(0, 32));
  p.append(reinterpret_cast<const char*>(kPasswordPadding), 32 - p.size());
  return p;
}

AnsiString TvlDecrypt::ComputeKey(const TvlEncryptionSettings& S, std::string_view Password) {
  TvlMD5 m;
  m.Update(PadPassword(Password));
  m.Update(std::string_view(S.O).substr(0, 32));
  uint32_t p = static_cast<uint32_t>(S.PermissionFlags);
  uint8_t pb[4] = {uint8_t(p), uint8_t(p >> 8), uint8_t(p >> 16), uint8_t(p >> 24)};
  m.Update(pb, 4);
  m.Update(S.FileID);
  if (S.Revision >= 4 && !S.EncryptMetadata) m.Update("\xFF\xFF\xFF\xFF");
  TvlMD5Digest d = m.Final();
  const size_t n = size_t(S.Revision >= 3 ? S.KeyLength : 5);
  if (S.Revision >= 3)
    for (int i = 0; i < 50; ++i) d = TvlMD5::Hash(DigestBytes(d, n));
  return DigestBytes(d, n);
}

AnsiString TvlDecrypt::ComputeU(const TvlEncryptionSettings& S, const AnsiString& Key) {
  if (S.Revision < 3) return TvlRC4::Apply(Key, Padding());
  TvlMD5 m;
  m.Update(Padding());
  m.Update(S.FileID);
  TvlMD5Digest d = m.Final();
  AnsiString u = Rc4Passes(Key, DigestBytes(d, 16), false);
  return u + AnsiString(16, '\0');
}

namespace {

AnsiString OwnerKey(const TvlEncryptionSettings& S, std::string_view Owner) {
  TvlMD5Digest d = TvlMD5::Hash(TvlDecrypt::PadPassword(Owner));
  const size_t n = size_t(S.Revision >= 3 ? S.KeyLength : 5);
  if (S.Revision >= 3)
    for (int i = 0; i < 50; ++i) d = TvlMD5::Hash(DigestBytes(d, 16));
  return DigestBytes(d, n);
}

}  // namespace

AnsiString TvlDecrypt::ComputeO(const TvlEncryptionSettings& S, std::string_view Owner,
                                std::string_view User) {
  AnsiString key = OwnerKey(S, Owner.empty() ? User : Owner);
  AnsiString padded = PadPassword(User);
  return S.Revision < 3 ? TvlRC4::Apply(key, padded) : Rc4Passes(key, padded, false);
}

bool TvlDecrypt::AuthenticateUser(const AnsiString& Password) {
  if (FSettings.U.size() < 16) return false;
  AnsiString key = ComputeKey(FSettings, Password);
  AnsiString u = ComputeU(FSettings, key);
  size_t n = FSettings.Revision < 3 ? 32 : 16;
  if (FSettings.U.size() < n || FSettings.U.compare(0, n, u, 0, n) != 0) return false;
  FKey = key;
  return true;
}

bool TvlDecrypt::AuthenticateOwner(const AnsiString& Password, AnsiString& UserPassword) {
  if (FSettings.O.size() < 32) return false;
  AnsiString key = OwnerKey(FSettings, Password);
  AnsiString o = FSettings.O.substr(0, 32);
  AnsiString padded = FSettings.Revision < 3 ? TvlRC4::Apply(key, o) : Rc4Passes(key, o, true);
  if (!AuthenticateUser(padded)) return false;
  // The user password ends where the padding starts.
  size_t end = padded.find(AnsiString(reinterpret_cast<const char*>(kPasswordPadding), 2));
  UserPassword = padded.substr(0, end);
  return true;
}

bool TvlDecrypt::CheckPassword(TvlEncryptionSettings& Result, const AnsiString& Password) {
  Result = FSettings;
  Result.Level = FSettings.KeyLength > 5 ? el128Bit : el40Bit;
  // Blanks typed around a password are forgiven when the exact text fails.
  size_t b = Password.find_first_not_of(" \t\r\n"), e = Password.find_last_not_of(" \t\r\n");
  const AnsiString trimmed = b == AnsiString::npos ? AnsiString() : Password.substr(b, e - b + 1);
  std::vector<AnsiString> tries = {AnsiString()};
  if (!Password.empty()) tries.push_back(Password);
  if (trimmed != Password && !trimmed.empty()) tries.push_back(trimmed);
  for (size_t t = 0; t < tries.size(); ++t) {
    const AnsiString& pw = tries[t];
    AnsiString user;
    if (AuthenticateUser(pw)) {
      const uint32_t p = static_cast<uint32_t>(FSettings.PermissionFlags);
      TvlUserPermissions perms = kAllPermissions;
      auto drop = [&](int Bit, TvlUserPermissionsType T) {
        if (!(p & (1u << (Bit - 1)))) perms &= uint8_t(~(1u << T));
      };
      drop(3, AllowPrint);
      drop(4, AllowModify);
      drop(5, AllowCopy);
      drop(6, AllowAnnotation);
      if (FSettings.Revision >= 3) {
        drop(9, AllowFormFill);
        drop(10, AllowAccessibility);
        drop(11, AllowDocAssembly);
        drop(12, AllowHighResPrint);
      }
      Result.Enabled = true;
      Result.UserPassword = pw;
      Result.UserPermissions = perms;
      Result.OpenedWithOwnerPassword = 0;
      return true;
    }
    if (t > 0 && AuthenticateOwner(pw, user)) {
      Result.Enabled = true;
      Result.OwnerPassword = pw;
      Result.UserPassword = user;
      Result.UserPermissions = kAllPermissions;
      Result.OpenedWithOwnerPassword = 1;
      return true;
    }
  }
  return false;
}

AnsiString TvlDecrypt::ObjectKey(int32_t Number, int32_t Generation, TvlCryptMethod Method) const {
  TvlMD5 m;
  m.Update(FKey);
  uint8_t b[5] = {uint8_t(Number), uint8_t(Number >> 8), uint8_t(Number >> 16), uint8_t(Generation),
                  uint8_t(Generation >> 8)};
  m.Update(b, 5);
  if (Method == TvlCryptMethod::AESV2) m.Update("sAlT");
  return DigestBytes(m.Final(), FKey.size() + 5);
}

AnsiString TvlDecrypt::DecryptData(std::string_view Data, int32_t Number, int32_t Generation,
                                   TvlCryptMethod Method) const {
  if (Method == TvlCryptMethod::None || FKey.empty()) return AnsiString(Data);
  AnsiString key = ObjectKey(Number, Generation, Method);
  if (Method == TvlCryptMethod::AESV2) {
    if (key.size() != 16) return {};
    return AES128DecryptCBC(reinterpret_cast<const uint8_t*>(key.data()), Data);
  }
  return TvlRC4::Apply(key, Data);
}

AnsiString TvlDecrypt::EncryptData(std::string_view Data, int32_t Number, int32_t Generation,
                                   TvlCryptMethod Method, const uint8_t IV[16]) const {
  if (Method == TvlCryptMethod::None || FKey.empty()) return AnsiString(Data);
  AnsiString key = ObjectKey(Number, Generation, Method);
  if (Method == TvlCryptMethod::AESV2 && key.size() == 16)
    return AES128EncryptCBC(reinterpret_cast<const uint8_t*>(key.data()), IV, Data);
  return TvlRC4::Apply(key, Data);
}
