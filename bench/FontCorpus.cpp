// Builds every font of every PDF in a folder and compares the text the fonts
// decode with what pdftotext extracts from the same page.
//
//   bench_FontCorpus [DIR]        (default: the shared corpus beside the repo)
//
// Per file: fonts built / font dictionaries, how many of them are composite,
// build errors, characters decoded, and the share of pdftotext's
// characters found among ours (recall) and of ours found in pdftotext's
// (precision), as multisets of non-space characters. "raw" is DecodeChar's
// value; "final" applies the ToUnicode and glyph-name steps that the content
// extractor adds for fonts with embedded programs.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <set>
#include <sstream>
#include <string>
#include <unordered_map>
#include <vector>

#include "pdf/core/PDBaseObject.h"
#include "pdf/core/PDDocument.h"
#include "pdf/fonts/PD8bitFont.h"
#include "pdf/fonts/PDAdobeGlyphList.h"
#include "pdf/fonts/PDCMapParser.h"
#include "pdf/pages/PDResource.h"

namespace fs = std::filesystem;

namespace {

struct Counts {
  int fontDicts = 0, built = 0, composite = 0, errors = 0;
  long long chars = 0;
  double buildSeconds = 0;
};

// ---- a small content-stream scanner: fonts, strings and form XObjects ----

struct Token {
  enum Kind { kNumber, kName, kString, kArrayStart, kArrayEnd, kOperator, kOther } kind;
  std::string text;
};

class Scanner {
public:
  explicit Scanner(const std::string& data) : d(data) {}
  bool Next(Token& t) {
    for (;;) {
      while (p < d.size() && IsWhite(d[p])) ++p;
      if (p < d.size() && d[p] == '%') {
        while (p < d.size() && d[p] != '\n' && d[p] != '\r') ++p;
        continue;
      }
      break;
    }
    if (p >= d.size()) return false;
    char c = d[p];
    t.text.clear();
    if (c == '(') {
      t.kind = Token::kString;
      ++p;
      int depth = 1;
      while (p < d.size()) {
        char ch = d[p++];
        if (ch == '\\' && p < d.size()) {
          char e = d[p++];
          switch (e) {
            case 'n': t.text += '\n'; break;
            case 'r': t.text += '\r'; break;
            case 't': t.text += '\t'; break;
            case 'b': t.text += '\b'; break;
            case 'f': t.text += '\f'; break;
            case '\r': if (p < d.size() && d[p] == '\n') ++p; break;
            case '\n': break;
            default:
              if (e >= '0' && e <= '7') {
                int v = e - '0';
                for (int k = 0; k < 2 && p < d.size() && d[p] >= '0' && d[p] <= '7'; ++k) v = v * 8 + (d[p++] - '0');
                t.text += static_cast<char>(v);
              } else {
                t.text += e;
              }
          }
        } else if (ch == '(') {
          ++depth;
          t.text += ch;
        } else if (ch == ')') {
          if (--depth == 0) break;
          t.text += ch;
        } else {
          t.text += ch;
        }
      }
      return true;
    }
    if (c == '<' && p + 1 < d.size() && d[p + 1] == '<') { p += 2; t.kind = Token::kOther; return true; }
    if (c == '>' && p + 1 < d.size() && d[p + 1] == '>') { p += 2; t.kind = Token::kOther; return true; }
    if (c == '<') {
      t.kind = Token::kString;
      ++p;
      std::string hex;
      while (p < d.size() && d[p] != '>') {
        if (std::isxdigit(static_cast<unsigned char>(d[p]))) hex += d[p];
        ++p;
      }
      ++p;
      if (hex.size() % 2) hex += '0';
      for (size_t i = 0; i < hex.size(); i += 2) t.text += static_cast<char>(std::stoi(hex.substr(i, 2), nullptr, 16));
      return true;
    }
    if (c == '[') { ++p; t.kind = Token::kArrayStart; return true; }
    if (c == ']') { ++p; t.kind = Token::kArrayEnd; return true; }
    if (c == '{' || c == '}' || c == ')' || c == '>') { ++p; t.kind = Token::kOther; return true; }
    if (c == '/') {
      ++p;
      t.kind = Token::kName;
      while (p < d.size() && IsRegular(d[p])) t.text += d[p++];
      return true;
    }
    while (p < d.size() && IsRegular(d[p])) t.text += d[p++];
    if (t.text.empty()) { ++p; t.kind = Token::kOther; return true; }
    t.kind = (std::isdigit(static_cast<unsigned char>(t.text[0])) || t.text[0] == '-' || t.text[0] == '+' || t.text[0] == '.')
                 ? Token::kNumber : Token::kOperator;
    return true;
  }
  // Skips inline image data after ID up to EI.
  void SkipInlineImage() {
    size_t e = p;
    while ((e = d.find("EI", e)) != std::string::npos) {
      bool before = e == 0 || IsWhite(d[e - 1]);
      bool after = e + 2 >= d.size() || IsWhite(d[e + 2]);
      if (before && after) { p = e + 2; return; }
      e += 2;
    }
    p = d.size();
  }

private:
  static bool IsWhite(char c) { return c == ' ' || c == '\n' || c == '\r' || c == '\t' || c == '\f' || c == 0; }
  static bool IsRegular(char c) { return !IsWhite(c) && std::string_view("()<>[]{}/%").find(c) == std::string_view::npos; }
  const std::string& d;
  size_t p = 0;
};

class PageDecoder {
public:
  PageDecoder(TvlPDDocument* doc, Counts& counts) : FDoc(doc), FCounts(counts) {}

  void Play(TvlPDBaseObject* contents, TvlPDDictionary* resources, int depth) {
    if (depth > 8 || !contents) return;
    std::string data;
    if (TvlPDArray* a = contents->AsArray()) {
      for (int i = 0; i < a->Count(); ++i)
        if (TvlPDStream* s = a->Get(i) ? a->Get(i)->AsStream() : nullptr) data += Read(s) + "\n";
    } else if (TvlPDStream* s = contents->AsStream()) {
      data = Read(s);
    }
    Scan(data, resources, depth);
  }

  std::u16string raw, final;
  // Every string shown, for timing the decoding alone.
  std::vector<std::pair<TvlPDFont*, WideString>> shows;

private:
  static std::string Read(TvlPDStream* s) {
    try {
      return s->ReadAll();
    } catch (const Exception&) {
      return {};
    }
  }

  // One resource object per resource dictionary, as pages share them.
  TvlPDResource* ResourceOf(TvlPDDictionary* resources) {
    auto it = FResources.find(resources);
    if (it != FResources.end()) return it->second.get();
    return (FResources[resources] = std::make_unique<TvlPDResource>(FDoc, resources)).get();
  }

  void Show(TvlPDFont* font, const std::string& bytes) {
    if (!font) return;
    WideString text(bytes.begin(), bytes.end());
    for (auto& ch : text) ch &= 0xFF;
    shows.emplace_back(font, text);
    for (int i = 1; i <= static_cast<int>(text.size());) {
      int len = 1;
      std::uint16_t u = 0;
      std::string_view glyph;
      double w, r1, r2, r3;
      if (!font->DecodeChar(text, i, len, u, glyph, w, r1, r2, r3)) break;
      ++FCounts.chars;
      raw += static_cast<char16_t>(u);
      std::uint16_t f = u;
      auto* simple = dynamic_cast<TvlPD8bitFont*>(font);
      if (font->GetFontFileStream() && font->ToUnicode() &&
          (font->IsCIDFont() || (simple && (simple->HasDifferences() ||
                                            (simple->EncodingName().empty() && simple->EmbedState() == 2))))) {
        int m = font->ToUnicode()->MapCode(f);
        f = m < 0 ? 0xFFFF : static_cast<std::uint16_t>(m);
      }
      if (simple && simple->FontKind() == fkTrueType && simple->HasEncoding() && simple->HasDifferences())
        f = vl::GlyphNameToUnicode(simple->GlyphName(f), simple->BaseFont().find("ZapfDingbats") != std::string::npos);
      final += static_cast<char16_t>(f);
      i += len;
    }
  }

  void Scan(const std::string& data, TvlPDDictionary* resources, int depth) {
    Scanner sc(data);
    Token t;
    std::vector<Token> ops;
    TvlPDFont* font = nullptr;
    while (sc.Next(t)) {
      if (t.kind != Token::kOperator) {
        ops.push_back(t);
        if (ops.size() > 4096) ops.erase(ops.begin(), ops.begin() + 2048);
        continue;
      }
      const std::string& op = t.text;
      auto lastString = [&]() -> const Token* {
        for (auto it = ops.rbegin(); it != ops.rend(); ++it)
          if (it->kind == Token::kString) return &*it;
        return nullptr;
      };
      if (op == "Tf" && ops.size() >= 2 && ops[ops.size() - 2].kind == Token::kName) {
        font = ResourceOf(resources)->FindFont(ops[ops.size() - 2].text);
      } else if (op == "Tj" || op == "'" || op == "\"") {
        if (const Token* s = lastString()) Show(font, s->text);
      } else if (op == "TJ") {
        size_t start = ops.size();
        while (start > 0 && ops[start - 1].kind != Token::kArrayStart) --start;
        for (size_t i = start; i < ops.size(); ++i)
          if (ops[i].kind == Token::kString) Show(font, ops[i].text);
      } else if (op == "ID") {
        sc.SkipInlineImage();
      } else if (op == "Do" && !ops.empty() && ops.back().kind == Token::kName && resources) {
        TvlPDDictionary* xobjects = resources->GetDictionary("XObject");
        TvlPDStream* form = xobjects ? xobjects->GetStream(ops.back().text) : nullptr;
        if (form && form->Dictionary()->GetName("Subtype") == "Form") {
          TvlPDDictionary* own = form->Dictionary()->GetDictionary("Resources");
          Play(form, own ? own : resources, depth + 1);
        }
      }
      ops.clear();
    }
  }

  TvlPDDocument* FDoc;
  Counts& FCounts;
  std::unordered_map<TvlPDDictionary*, std::unique_ptr<TvlPDResource>> FResources;
};

void CollectPages(TvlPDDictionary* node, TvlPDDictionary* res, std::vector<std::pair<TvlPDDictionary*, TvlPDDictionary*>>& out,
                  std::set<TvlPDDictionary*>& seen) {
  if (!node || !seen.insert(node).second) return;
  if (TvlPDDictionary* own = node->GetDictionary("Resources")) res = own;
  if (TvlPDArray* kids = node->GetArray("Kids")) {
    for (int i = 0; i < kids->Count(); ++i)
      if (TvlPDBaseObject* k = kids->Get(i)) CollectPages(k->AsDictionary(), res, out, seen);
  } else {
    out.emplace_back(node, res);
  }
}

std::string Run(const std::string& cmd) {
  std::string out;
  if (FILE* f = popen(cmd.c_str(), "r")) {
    char buf[65536];
    size_t n;
    while ((n = fread(buf, 1, sizeof buf, f)) > 0) out.append(buf, n);
    pclose(f);
  }
  return out;
}

// Non-space characters; ligatures spelled out so both sides count alike.
std::map<char32_t, long> CharCounts(const std::u32string& s) {
  std::map<char32_t, long> m;
  for (char32_t c : s) {
    if (c <= 32 || c == 0xA0 || c == 0xFFFF || c == 0) continue;
    switch (c) {
      case 0xFB00: m['f'] += 2; break;
      case 0xFB01: m['f']++; m['i']++; break;
      case 0xFB02: m['f']++; m['l']++; break;
      case 0xFB03: m['f'] += 2; m['i']++; break;
      case 0xFB04: m['f'] += 2; m['l']++; break;
      default: m[c]++;
    }
  }
  return m;
}

std::u32string FromUtf8(const std::string& s) {
  std::u32string out;
  for (size_t i = 0; i < s.size();) {
    unsigned char c = s[i];
    int n = c < 0x80 ? 1 : c < 0xE0 ? 2 : c < 0xF0 ? 3 : 4;
    char32_t v = n == 1 ? c : n == 2 ? c & 0x1F : n == 3 ? c & 0x0F : c & 0x07;
    for (int k = 1; k < n && i + k < s.size(); ++k) v = (v << 6) | (s[i + k] & 0x3F);
    out += v;
    i += n;
  }
  return out;
}

std::u32string FromUtf16(const std::u16string& s) { return std::u32string(s.begin(), s.end()); }

std::string Password(const fs::path& pdf) {
  fs::path json = pdf;
  json.replace_extension(".json");
  std::ifstream in(json);
  std::stringstream ss;
  ss << in.rdbuf();
  std::string j = ss.str();
  auto p = j.find("\"password\":");
  if (p == std::string::npos) return {};
  auto q = j.find('"', p + 11);
  auto nul = j.find("null", p + 11);
  if (q == std::string::npos || (nul != std::string::npos && nul < q)) return {};
  return j.substr(q + 1, j.find('"', q + 1) - q - 1);
}

}  // namespace

int main(int argc, char** argv) {
  fs::path dir = argc > 1 ? fs::path(argv[1]) : fs::path(VL_SOURCE_DIR "/../shared/corpus");
  if (!fs::is_directory(dir)) {
    std::printf("no corpus at %s\n", dir.c_str());
    return 0;
  }
  std::vector<fs::path> files;
  for (auto& e : fs::directory_iterator(dir))
    if (e.path().extension() == ".pdf") files.push_back(e.path());
  std::sort(files.begin(), files.end());
  std::printf("%-40s %11s %5s %4s %8s %13s %13s %8s %7s\n", "file", "fonts", "cid", "err", "chars", "raw rec/prec",
              "final rec/prec", "build ms", "ns/char");
  double sumRaw = 0, sumFinal = 0;
  int n = 0;
  for (const fs::path& pdf : files) {
    Counts c;
    TvlPDDocument doc;
    std::string pw = Password(pdf);
    try {
      doc.SetPassword(nullptr, pw);
      doc.LoadFromFile(pdf.string());
    } catch (const Exception& e) {
      std::printf("%-40s load failed: %s\n", pdf.filename().c_str(), e.Message().c_str());
      continue;
    }
    // Every font dictionary in the file.
    for (int32_t num = 1; num < doc.GetObjectCount(); ++num) {
      TvlPDBaseObject* obj = nullptr;
      try {
        obj = doc.FetchObject(num);
      } catch (const Exception&) {
      }
      TvlPDDictionary* d = obj ? obj->AsDictionary() : nullptr;
      if (!d || d->GetName("Type") != "Font" || d->GetName("Subtype").rfind("CIDFontType", 0) == 0) continue;
      ++c.fontDicts;
      try {
        auto t0 = std::chrono::steady_clock::now();
        auto font = TvlPDFont::CreateFont(&doc, nullptr, d, "F");
        c.buildSeconds += std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
        if (font) {
          ++c.built;
          if (font->IsCIDFont()) ++c.composite;
          font->GetFontFileStream();
        }
      } catch (const Exception& e) {
        ++c.errors;
        std::printf("  font %d: %s\n", num, e.Message().c_str());
      }
    }
    // Text per page against pdftotext.
    std::vector<std::pair<TvlPDDictionary*, TvlPDDictionary*>> pages;
    std::set<TvlPDDictionary*> seen;
    try {
      CollectPages(doc.GetRoot() ? doc.GetRoot()->GetDictionary("Pages") : nullptr, nullptr, pages, seen);
    } catch (const Exception&) {
    }
    long long expected = 0, ours = 0, matchRaw = 0, matchFinal = 0, oursFinal = 0;
    PageDecoder dec(&doc, c);
    for (size_t i = 0; i < pages.size(); ++i) {
      dec.raw.clear();
      dec.final.clear();
      dec.Play(pages[i].first->Get("Contents"), pages[i].second, 0);
      std::string cmd = "pdftotext -q -enc UTF-8 -f " + std::to_string(i + 1) + " -l " + std::to_string(i + 1) +
                        (pw.empty() ? "" : " -upw " + pw) + " '" + pdf.string() + "' -";
      auto want = CharCounts(FromUtf8(Run(cmd)));
      auto gotRaw = CharCounts(FromUtf16(dec.raw));
      auto gotFinal = CharCounts(FromUtf16(dec.final));
      for (auto& [ch, k] : want) {
        expected += k;
        if (auto it = gotRaw.find(ch); it != gotRaw.end()) matchRaw += std::min(k, it->second);
        if (auto it = gotFinal.find(ch); it != gotFinal.end()) matchFinal += std::min(k, it->second);
      }
      for (auto& [ch, k] : gotRaw) ours += k;
      for (auto& [ch, k] : gotFinal) oursFinal += k;
    }
    // Decoding speed: every shown string decoded again, 20 passes.
    double nsPerChar = 0;
    {
      long long decoded = 0;
      std::uint32_t sink = 0;
      auto t0 = std::chrono::steady_clock::now();
      for (int pass = 0; pass < 20; ++pass) {
        for (const auto& [f, text] : dec.shows) {
          for (int i = 1; i <= static_cast<int>(text.size());) {
            int len = 1;
            std::uint16_t u = 0;
            std::string_view g;
            double w, r1, r2, r3;
            if (!f->DecodeChar(text, i, len, u, g, w, r1, r2, r3)) break;
            sink += u + static_cast<std::uint32_t>(w);
            ++decoded;
            i += len;
          }
        }
      }
      double secs = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
      if (decoded) nsPerChar = secs * 1e9 / double(decoded) + (sink == 0xFFFFFFFF ? 1 : 0);
    }
    auto ratio = [](long long a, long long b) { return b ? double(a) / double(b) : 1.0; };
    char fonts[32];
    std::snprintf(fonts, sizeof fonts, "%d/%d", c.built, c.fontDicts);
    std::printf("%-40s %11s %5d %4d %8lld   %.3f/%.3f   %.3f/%.3f %8.2f %7.1f\n", pdf.filename().c_str(), fonts,
                c.composite, c.errors, c.chars, ratio(matchRaw, expected), ratio(matchRaw, ours),
                ratio(matchFinal, expected), ratio(matchFinal, oursFinal), c.buildSeconds * 1000, nsPerChar);
    sumRaw += ratio(matchRaw, expected);
    sumFinal += ratio(matchFinal, expected);
    ++n;
  }
  if (n) std::printf("mean recall: raw %.3f, final %.3f over %d files\n", sumRaw / n, sumFinal / n, n);
  return 0;
}
