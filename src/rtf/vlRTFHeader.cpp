#include "rtf/vlRTFHeader.h"

#include <algorithm>
#include <chrono>

#include "rtf/vlRTFControlWords.h"
#include "rtf/vlRTFUtils.h"

using namespace vl::rtf;

void AppendFontFormatting(AnsiString& Text, int FontIndex, int ColorIndex, int Size, uint8_t Style) {
  AppendWord(Text, "\\f", FontIndex);
  AppendWord(Text, "\\cf", ColorIndex);
  AppendWord(Text, "\\fs", static_cast<int64_t>(Size) * 2);
  Text.append((Style & vlfsBold) ? " \\b" : "\\b0");
  Text.append((Style & vlfsItalic) ? " \\i" : "\\i0");
  if (Style & vlfsStrikeOut) Text.append(" \\strike");
  if (Style & vlfsUnderline) Text.append(" \\ul");
}

TvlRTFRandom::TvlRTFRandom()
    : Engine(static_cast<std::mt19937::result_type>(
          std::chrono::system_clock::now().time_since_epoch().count())) {}

int TvlRTFRandom::Next(int Range) {
  return static_cast<int>(Engine() % static_cast<unsigned>(Range));
}

void TvlRTFList::RenderEntry(AnsiString& Text, TvlRTFRandom& Random, int ListId) const {
  Text.append(cw::ListStart);
  AppendInt(Text, Random.Next(100000));
  Text.append(cw::ListHybrid);
  const int justify = Alignment == 1 ? 2 : Alignment == 2 ? 1 : 0;
  for (int level = 0; level <= 8; ++level) {
    AppendWord(Text, "{\\listlevel\\levelnfc", NumberFormat);
    AppendWord(Text, "\\levelnfcn", NumberFormat);
    AppendWord(Text, "\\leveljc", justify);
    AppendWord(Text, "\\leveljcn", justify);
    AppendWord(Text, "\\levelfollow", Follow);
    AppendWord(Text, "\\levelstartat", StartAt);
    AppendWord(Text, "{\\leveltext\\leveltemplateid", Random.Next(10000));
    if (IsBullet) {
      Text.append("\\'01");
      AppendEncodedText(Text, std::u16string_view(&Bullet, 1));
      Text.append(";}{\\levelnumbers;}");
      AppendWord(Text, "\\f", BulletFont);
    } else {
      AppendWord(Text, "\\'02\\'0", level);
      Text.append(".;}{\\levelnumbers\\'01;}");
    }
    Text.append(cw::LevelTail);
    Text.append(CRLF);
  }
  AppendWord(Text, cw::ListNameId, ListId);
  Text.push_back('}');
  Text.append(CRLF);
}

void TvlRTFList::RenderOverride(AnsiString& Text, int ListId) const {
  AppendWord(Text, cw::ListOverride, ListId);
  Text.append(cw::ListOverrideCount);
  Text.append(Name);
  Text.push_back('}');
}

void TvlRTFList::RenderTo(AnsiString& Text) const {
  TvlRTFRandom random;
  const int id = random.Next(100000);
  RenderEntry(Text, random, id);
  Text.append(cw::ListOverrideStart);
  RenderOverride(Text, id);
  Text.push_back('}');
}

int TvlRTFHeader::FontIndex(const AnsiString& Name, int Charset) {
  if (LastFont >= 0 && static_cast<size_t>(LastFont) < Fonts.size()) {
    const TvlRTFFontEntry& last = Fonts[static_cast<size_t>(LastFont)];
    if (last.Charset == Charset && last.Name == Name) return LastFont;
  }
  std::string key = Name;
  key.push_back('\0');
  key.append(std::to_string(Charset));
  auto [it, added] = FontLookup.try_emplace(std::move(key), static_cast<int>(Fonts.size()));
  if (added) Fonts.push_back({Name, Charset});
  LastFont = it->second;
  return LastFont;
}

int TvlRTFHeader::ColorIndex(int32_t Color, int32_t RGB) {
  auto [it, added] = ColorLookup.try_emplace(Color, static_cast<int>(Colors.size()));
  if (added) Colors.push_back({Color, RGB});
  return it->second + 1;
}

int TvlRTFHeader::AddList(std::unique_ptr<TvlRTFList> List) {
  List->Name = "ls" + std::to_string(Lists.size() + 1);
  Lists.push_back(std::move(List));
  return static_cast<int>(Lists.size()) - 1;
}

const TvlRTFList* TvlRTFHeader::ListAt(int Index) const {
  if (Index < 0 || Index >= static_cast<int>(Lists.size())) return nullptr;
  return Lists[static_cast<size_t>(Index)].get();
}

int TvlRTFHeader::CharsetForCodePage(int CodePage) {
  switch (CodePage) {
    case 1252: return 0;
    case 932: return 128;
    case 949: return 129;
    case 1361: return 130;
    case 936: return 134;
    case 950: return 136;
    case 1253: return 161;
    case 1254: return 162;
    case 1255: return 177;
    case 1256: return 178;
    case 1257: return 186;
    case 1251: return 204;
    case 874: return 222;
    case 1250: return 238;
    case 1200: return 0;
    case 1258: return 163;
    default: return 0;
  }
}

void TvlRTFHeader::RenderLists(AnsiString& Text) const {
  // Each list gets its own identifier: two lists sharing one would be read
  // as one list and continue each other's numbering.
  std::vector<int> ids;
  ids.reserve(Lists.size());
  for (const auto& list : Lists) {
    int id;
    do {
      id = Random.Next(100000);
    } while (std::find(ids.begin(), ids.end(), id) != ids.end());
    ids.push_back(id);
    list->RenderEntry(Text, Random, id);
    Text.append(cw::ListOverrideStart);
    list->RenderOverride(Text, id);
    Text.push_back('}');
  }
}

void TvlRTFHeader::RenderTo(AnsiString& Text) const {
  Text.append(cw::HeaderStart);
  AppendInt(Text, CodePage);
  Text.append(cw::HeaderDefaults);
  Text.append(CRLF);
  Text.append(CRLF);

  Text.append(cw::FontTableStart);
  const int fixedCharset = CharsetForCodePage(CodePage);
  for (size_t i = 0; i < Fonts.size(); ++i) {
    AppendWord(Text, "{\\f", static_cast<int64_t>(i));
    const int charset = CodePage == 1252 ? Fonts[i].Charset : fixedCharset;
    if (CodePage != 1252 || charset != vlDefaultCharset) AppendWord(Text, "\\fcharset", charset);
    Text.push_back(' ');
    AppendEscapedAnsi(Text, Fonts[i].Name);
    Text.append(";}");
  }
  Text.push_back('}');
  Text.append(CRLF);
  Text.append(CRLF);

  Text.append(cw::ColorTableStart);
  for (const auto& c : Colors) {
    AppendWord(Text, "\\red", c.RGB & 0xFF);
    AppendWord(Text, "\\green", (c.RGB >> 8) & 0xFF);
    AppendWord(Text, "\\blue", (c.RGB >> 16) & 0xFF);
    Text.push_back(';');
  }
  Text.push_back('}');
  Text.append(CRLF);

  // The list entries are rendered once: with a style sheet the list table
  // is written twice and both copies must name the same lists.
  AnsiString lists;
  if (!Lists.empty()) RenderLists(lists);

  if (!Styles.empty()) {
    Text.append(CRLF);
    Text.append(cw::StyleSheetStart);
    for (const auto& s : Styles) {
      Text.append("{\\");
      Text.append(s.Keyword);
      Text.append(cw::StyleParaWords);
      AppendFontFormatting(Text, s.FontIndex, s.ColorIndex, s.Size, s.Style);
      Text.append(cw::StyleLangWords);
      AppendInt(Text, Random.Next(10000));
      // A name that starts with a digit or blank would be read as part of
      // the number; the delimiting space keeps it whole.
      if (!s.Name.empty() && ((s.Name[0] >= '0' && s.Name[0] <= '9') || s.Name[0] == ' '))
        Text.push_back(' ');
      AppendEscapedAnsi(Text, s.Name);
      Text.append(";}");
    }
    Text.push_back('}');
    Text.append(cw::ListTableStart);
    Text.append(lists);
    Text.push_back('}');
    Text.append(CRLF);
  }
  if (!Lists.empty()) {
    Text.append(CRLF);
    Text.append(cw::ListTableStart);
    Text.append(lists);
    Text.push_back('}');
    Text.append(CRLF);
  }
}
