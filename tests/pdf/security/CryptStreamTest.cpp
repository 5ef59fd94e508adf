#include "pdf/security/CryptStream.h"

#include <gtest/gtest.h>

#include "pdf/core/PDBaseDoc.h"
#include "pdf/core/PDDocument.h"
#include "pdf/core/PDModelException.h"
#include "pdf/security/Decrypt.h"
#include "support/PdfBuilder.h"

namespace {

std::string Hex(std::string_view S) {
  static const char* d = "0123456789abcdef";
  std::string out;
  for (unsigned char c : S) (out += d[c >> 4]) += d[c & 15];
  return out;
}

std::string Hex(const TvlMD5Digest& D) {
  return Hex(std::string_view(reinterpret_cast<const char*>(D.data()), D.size()));
}

TEST(CryptStreamTest, CipherKnownAnswers) {
  // RFC 1321 test suite, across the 55/56/64-byte padding boundaries too.
  const std::pair<std::string, std::string> md5[] = {
      {"", "d41d8cd98f00b204e9800998ecf8427e"},
      {"abc", "900150983cd24fb0d6963f7d28e17f72"},
      {"message digest", "f96b697d7cb7938d525a2f31aaf161d0"},
      {"12345678901234567890123456789012345678901234567890123456789012345678901234567890",
       "57edf4a22be3c955ac49da2e2107b67a"},
      {std::string(55, 'a'), "ef1772b6dff9a122358552954ad0df65"},
      {std::string(64, 'a'), "014842d480b571495a4a0363793f7367"},
  };
  for (const auto& [in, out] : md5) EXPECT_EQ(Hex(TvlMD5::Hash(in)), out) << in.size();
  // Split updates give the same digest.
  TvlMD5 m;
  m.Update("1234567890123456789012345678901234567890");
  m.Update("1234567890123456789012345678901234567890");
  EXPECT_EQ(Hex(m.Final()), "57edf4a22be3c955ac49da2e2107b67a");

  EXPECT_EQ(Hex(TvlRC4::Apply("Key", "Plaintext")), "bbf316e8d940af0ad3");
  EXPECT_EQ(Hex(TvlRC4::Apply("Secret", "Attack at dawn")), "45a01f645fc35b383552544b9bf5");
  EXPECT_THROW(TvlRC4::Apply("", "x"), ExInvalidKeyLen);
  EXPECT_THROW(TvlRC4::Apply(std::string(257, 'k'), "x"), ExInvalidKeyLen);

  // FIPS 197 appendix C.1 (a zero IV makes CBC's first block plain AES).
  uint8_t key[16], iv[16] = {};
  std::string plain;
  for (int i = 0; i < 16; ++i) key[i] = uint8_t(i), plain += char(i * 0x11);
  std::string c = AES128EncryptCBC(key, iv, plain);
  ASSERT_EQ(c.size(), 48u);  // IV, block, padding block
  EXPECT_EQ(Hex(c.substr(16, 16)), "69c4e0d86a7b0430d8cdb78070b4c55a");
  for (size_t n : {0, 1, 15, 16, 17, 100}) {
    std::string p(n, 'x');
    EXPECT_EQ(AES128DecryptCBC(key, AES128EncryptCBC(key, key, p)), p) << n;
  }
  // Truncated or too short data never reads past the end.
  EXPECT_EQ(AES128DecryptCBC(key, c.substr(0, 20)), "");
  EXPECT_EQ(AES128DecryptCBC(key, c.substr(0, 40)).size() <= 16, true);
}

std::unique_ptr<TvlPDDocument> Load(const std::string& Pdf, const AnsiString& Password) {
  auto doc = std::make_unique<TvlPDDocument>();
  doc->SetPassword(nullptr, Password);
  doc->LoadFromStream(new TvlPlatformMemory(Pdf), true);
  return doc;
}

// The page's string and content stream come back in plain text.
void ExpectPlain(TvlPDDocument& Doc) {
  TvlPDBaseDoc* base = Doc.GetBaseDoc();
  bool sawString = false, sawContent = false;
  for (int i = 1; i < base->GetXRef()->GetEntryCount(); ++i) {
    TvlPDBaseObject* o = base->FetchObject(i);
    if (!o) continue;
    if (TvlPDStream* s = o->AsStream()) {
      if (s->ReadAll().find("(Hello) Tj") != std::string::npos) sawContent = true;
    } else if (o->IsDictionary()) {
      if (TvlPDDictionary* r = o->AsDictionary()->GetDictionary("Resources"))
        if (TvlPDBaseObject* t = r->Get("Note"); t && t->IsString()) {
          EXPECT_EQ(static_cast<TvlPDString*>(t)->Bytes(), "Secret note");
          sawString = true;
        }
    }
  }
  EXPECT_TRUE(sawString);
  EXPECT_TRUE(sawContent);
}

TEST(CryptStreamTest, QpdfEncryptedDocumentsOpen) {
  if (!vltest::QpdfAvailable()) GTEST_SKIP() << "qpdf not installed";
  std::string content = "BT /F1 12 Tf 72 712 Td (Hello) Tj ET\n";
  for (int i = 0; i < 40; ++i) content += "0 0 m " + std::to_string(i) + " 5 l S\n";
  std::string pdf = vltest::PdfBuilder::SimpleDocument(
      {content}, "<< /Note (Secret note) /Font << /F1 << /Type /Font /Subtype /Type1 "
                 "/BaseFont /Helvetica >> >> >>");
  const std::vector<std::vector<std::string>> methods = {
      {"40"}, {"128", "--use-aes=n"}, {"128", "--use-aes=n", "--cleartext-metadata"},
      {"128", "--use-aes=y"}};
  for (const auto& method : methods) {
    for (bool objectStreams : {false, true}) {
      for (const char* user : {"", "usr"}) {
        std::vector<std::string> args = {"--allow-weak-crypto", "--encrypt", user, "own"};
        args.insert(args.end(), method.begin(), method.end());
        args.push_back("--");
        if (objectStreams) args.push_back("--object-streams=generate");
        std::optional<std::string> enc = vltest::QpdfTransform(pdf, args);
        ASSERT_TRUE(enc);
        SCOPED_TRACE(method.size() > 1 ? method[0] + method[1] : method[0]);
        SCOPED_TRACE(std::string("user '") + user + (objectStreams ? "' objstm" : "'"));
        // The empty password is tried first, then the remembered one (as
        // user, then as owner password).
        for (const char* pw : {user, "own"}) {
          std::unique_ptr<TvlPDDocument> doc;
          ASSERT_NO_THROW(doc = Load(*enc, pw)) << pw;
          EXPECT_TRUE(doc->IsEncrypted());
          ExpectPlain(*doc);
        }
        if (*user) {
          EXPECT_THROW(Load(*enc, ""), ExPasswordRequired);
          EXPECT_THROW(Load(*enc, "wrong"), ExPasswordRequired);
        } else {
          EXPECT_NO_THROW(Load(*enc, "anything"));
        }
      }
    }
  }
}

TEST(CryptStreamTest, PasswordCheckResult) {
  if (!vltest::QpdfAvailable()) GTEST_SKIP() << "qpdf not installed";
  std::string pdf = vltest::PdfBuilder::SimpleDocument({"q Q"});
  struct Case {
    std::vector<std::string> Args;
    TvlPDFEncryptionLevel Level;
    TvlUserPermissions UserPerms;
  };
  const Case cases[] = {
      {{"40", "--print=n", "--modify=n", "--extract=n", "--annotate=n"}, el40Bit,
       TvlUserPermissions(0xF0)},
      {{"128", "--use-aes=n"}, el128Bit, kAllPermissions},
      {{"128", "--use-aes=n", "--print=none", "--modify=none", "--extract=n", "--annotate=n"},
       el128Bit, TvlUserPermissions((1 << AllowAccessibility))},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Args.size());
    std::vector<std::string> args = {"--allow-weak-crypto", "--encrypt", "u1", "owner"};
    args.insert(args.end(), c.Args.begin(), c.Args.end());
    args.push_back("--");
    std::optional<std::string> enc = vltest::QpdfTransform(pdf, args);
    ASSERT_TRUE(enc);
    auto doc = std::make_unique<TvlPDBaseDoc>();
    TvlPlatformMemory mem(*enc);
    ASSERT_THROW(doc->Load(mem, "x"), ExInvalidPassword);
    doc->Load(mem, "u1");
    TvlEncryptionSettings s = ReadEncryptionSettings(*doc->GetEncrypt(), doc->GetTrailer());
    TvlCryptStream handler(s);
    TvlEncryptionSettings r;
    ASSERT_TRUE(handler.CheckPassword(r, "u1"));
    EXPECT_TRUE(r.Enabled);
    EXPECT_EQ(r.Level, c.Level);
    EXPECT_EQ(r.UserPassword, "u1");
    EXPECT_EQ(r.OpenedWithOwnerPassword, 0);
    EXPECT_EQ(int(r.UserPermissions), int(c.UserPerms));
    ASSERT_TRUE(handler.CheckPassword(r, "owner"));
    EXPECT_EQ(r.UserPassword, "u1");  // recovered from /O
    EXPECT_EQ(r.OwnerPassword, "owner");
    EXPECT_EQ(int(r.UserPermissions), int(kAllPermissions));
    EXPECT_FALSE(handler.CheckPassword(r, "u2"));
  }
}

TEST(CryptStreamTest, MalformedEncryptionDictionaries) {
  // Short /O and /U, a missing /ID, odd lengths: the check fails cleanly.
  const char* dicts[] = {
      "<< /Filter /Standard /V 1 /R 2 /O <00> /U <00> /P -4 >>",
      "<< /Filter /Standard /V 2 /R 3 /Length 4096 /O () /U () /P -4 >>",
      "<< /Filter /Standard /V 4 /R 4 /CF << /StdCF << /CFM /AESV2 >> >> /StmF /StdCF >>",
  };
  for (const char* d : dicts) {
    vltest::PdfBuilder b;
    b.Object(1, "<< /Type /Catalog /Pages 2 0 R >>")
        .Object(2, "<< /Type /Pages /Kids [] /Count 0 >>")
        .Object(9, d)
        .Trailer("/Root 1 0 R /Encrypt 9 0 R");
    EXPECT_THROW(Load(b.Build(), ""), ExPasswordRequired) << d;
  }
  // Another security handler: the structure still loads.
  vltest::PdfBuilder b;
  b.Object(1, "<< /Type /Catalog /Pages 2 0 R >>")
      .Object(2, "<< /Type /Pages /Kids [] /Count 0 >>")
      .Object(3, "(three)")
      .Object(9, "<< /Filter /Other /V 1 >>")
      .Trailer("/Root 1 0 R /Encrypt 9 0 R");
  auto doc = Load(b.Build(), "");
  EXPECT_TRUE(doc->IsEncrypted());
  EXPECT_EQ(doc->FetchObject(3)->ToPDF(), "(three)");
}

}  // namespace
