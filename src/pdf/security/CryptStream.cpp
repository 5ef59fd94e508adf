#include "pdf/security/CryptStream.h"

#include "pdf/filters/MemoryStream.h"

namespace {

AnsiString StringBytes(TvlPDBaseObject* O) {
  return O && O->IsString() ? static_cast<TvlPDString*>(O)->Bytes() : AnsiString();
}

TvlCryptMethod MethodOf(TvlPDDictionary& Encrypt, const AnsiString& FilterName) {
  if (FilterName == "Identity") return TvlCryptMethod::None;
  TvlPDDictionary* cf = Encrypt.GetDictionary("CF");
  TvlPDDictionary* f = cf ? cf->GetDictionary(FilterName) : nullptr;
  if (!f) return TvlCryptMethod::None;
  AnsiString cfm = f->GetName("CFM");
  if (cfm == "AESV2") return TvlCryptMethod::AESV2;
  if (cfm == "V2") return TvlCryptMethod::RC4;
  return TvlCryptMethod::None;
}

}  // namespace

TvlEncryptionSettings ReadEncryptionSettings(TvlPDDictionary& Encrypt, TvlPDDictionary* Trailer) {
  if (Encrypt.GetName("Filter") != "Standard") throw ExUnsupportedSecurity();
  TvlEncryptionSettings s;
  const int v = Encrypt.GetInteger("V", 0);
  s.Revision = Encrypt.GetInteger("R", 2);
  s.O = StringBytes(Encrypt.Get("O"));
  s.U = StringBytes(Encrypt.Get("U"));
  s.PermissionFlags = Encrypt.GetInteger("P", 0);
  s.EncryptMetadata = Encrypt.GetBoolean("EncryptMetadata", true);
  int bits = Encrypt.GetInteger("Length", 40);
  if (v >= 4) {
    // Crypt filters: the key is 128 bits; /StmF and /StrF pick the methods.
    bits = 128;
    s.StreamMethod = Encrypt.GetDirect("StmF") ? MethodOf(Encrypt, Encrypt.GetName("StmF"))
                                                : TvlCryptMethod::None;
    s.StringMethod = Encrypt.GetDirect("StrF") ? MethodOf(Encrypt, Encrypt.GetName("StrF"))
                                                : TvlCryptMethod::None;
    if (TvlPDDictionary* cf = Encrypt.GetDictionary("CF"))
      for (int i = 0; i < cf->Count(); ++i)
        s.CryptFilters.emplace_back(cf->KeyAt(i), MethodOf(Encrypt, cf->KeyAt(i)));
  } else if (v < 2) {
    bits = 40;
  }
  // A length in bytes (some writers) or in bits; anything else falls back.
  int bytes = bits <= 16 ? bits : bits / 8;
  if (bytes < 5 || bytes > 16) bytes = bits < 40 ? 5 : 16;
  s.KeyLength = s.Revision < 3 ? 5 : bytes;
  s.Level = s.KeyLength > 5 ? el128Bit : el40Bit;
  if (TvlPDArray* id = Trailer ? Trailer->GetArray("ID") : nullptr; id && id->Count() > 0)
    s.FileID = StringBytes(id->Get(0));
  return s;
}

TvlCryptStream::TvlCryptStream(const TvlEncryptionSettings& Settings)
    : FSettings(Settings), FDecrypt(Settings) {}

bool TvlCryptStream::CheckPassword(TvlEncryptionSettings& Result, const AnsiString& Password) {
  return FDecrypt.CheckPassword(Result, Password);
}

AnsiString TvlCryptStream::DecryptString(const AnsiString& Bytes, const TvlPDObjectContext& Ctx) {
  return FDecrypt.DecryptData(Bytes, Ctx.ObjectNumber, Ctx.GenerationNumber, FSettings.StringMethod);
}

std::unique_ptr<TvlStream> TvlCryptStream::DecryptStream(std::unique_ptr<TvlStream> Data,
                                                         const TvlPDDictionary& Dict,
                                                         const TvlPDObjectContext& Ctx) {
  TvlCryptMethod method = FSettings.StreamMethod;
  AnsiString type = Dict.GetName("Type");
  // Cross-reference streams are never encrypted; metadata only when asked.
  if (type == "XRef" || (type == "Metadata" && !FSettings.EncryptMetadata)) return Data;
  // A stream's own /Crypt filter names the crypt filter to use.
  TvlPDBaseObject* filter = Dict.Get("Filter");
  TvlPDBaseObject* parms = Dict.Get("DecodeParms");
  if (filter && filter->IsArray() && filter->AsArray()->Count() > 0) {
    filter = filter->AsArray()->Get(0);
    parms = parms && parms->IsArray() && parms->AsArray()->Count() > 0 ? parms->AsArray()->Get(0)
                                                                        : nullptr;
  }
  if (filter && filter->IsName() && static_cast<TvlPDName*>(filter)->Value == "Crypt") {
    AnsiString name = parms && parms->IsDictionary() ? parms->AsDictionary()->GetName("Name") : "";
    method = TvlCryptMethod::None;
    for (const auto& [n, m] : FSettings.CryptFilters)
      if (n == name) method = m;
  }
  if (method == TvlCryptMethod::None) return Data;
  AnsiString raw;
  Data->Reset();
  char buf[65536];
  while (raw.size() < kMaxStreamBytes) {
    size_t n = Data->ReadBuffer(buf, std::min(sizeof(buf), kMaxStreamBytes - raw.size()));
    if (n == 0) break;
    raw.append(buf, n);
  }
  Data->Finish();
  return std::make_unique<TvlMemoryStream>(
      FDecrypt.DecryptData(raw, Ctx.ObjectNumber, Ctx.GenerationNumber, method));
}

std::unique_ptr<TvlCryptStream> OpenStandardSecurity(TvlPDDictionary& Encrypt, TvlPDDictionary* Trailer,
                                                     const AnsiString& Password) {
  auto handler = std::make_unique<TvlCryptStream>(ReadEncryptionSettings(Encrypt, Trailer));
  TvlEncryptionSettings result;
  if (!handler->CheckPassword(result, Password)) throw ExInvalidPassword();
  return handler;
}
