#include "pdf/fonts/PDCMap.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include "pdf/fonts/PDCMapParser.h"

namespace {

// A CMap file as a parser, or null when it cannot be read.
std::unique_ptr<TvlPDCMapParser> ParseFile(const std::filesystem::path& Path) {
  std::error_code ec;
  if (!std::filesystem::is_regular_file(Path, ec)) return nullptr;
  std::ifstream in(Path, std::ios::binary);
  if (!in) return nullptr;
  std::vector<std::uint8_t> data((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  return std::make_unique<TvlPDCMapParser>(data);
}

bool IsIdentityName(std::string_view Name) {
  return Name == "Identity-H" || Name == "Identity-V" || Name == "Identity";
}

}  // namespace

TvlPDCMap::~TvlPDCMap() = default;

std::unique_ptr<TvlPDCMap> TvlPDCMap::CreateEmbedded(std::span<const std::uint8_t> Data) {
  std::unique_ptr<TvlPDCMap> map(new TvlPDCMap());
  map->FName = "Custom";
  map->FCodeToCID = std::make_unique<TvlPDCMapParser>(Data);
  map->FVertical = map->FCodeToCID->WMode() == 1;
  return map;
}

std::unique_ptr<TvlPDCMap> TvlPDCMap::CreatePredefined(std::string_view Name,
                                                       std::string_view Directory,
                                                       std::string_view UCS2Name) {
  std::unique_ptr<TvlPDCMap> map(new TvlPDCMap());
  map->FName = Name;
  map->FUCS2Name = UCS2Name;
  const bool haveDir = !Directory.empty();
  const std::filesystem::path dir(Directory);
  if (haveDir && !IsIdentityName(Name)) {
    if (auto parser = ParseFile(dir / std::string(Name))) {
      map->FVertical = parser->WMode() == 1;
      std::string ucs2 = parser->Registry() + "-" + parser->Ordering() + "-UCS2";
      map->FCodeToCID = std::move(parser);
      map->FCIDToUnicode = ParseFile(dir / ucs2);
      return map;
    }
  }
  if (!IsIdentityName(Name)) return nullptr;
  map->FVertical = Name == "Identity-V";
  if (haveDir && !UCS2Name.empty()) map->FCIDToUnicode = ParseFile(dir / std::string(UCS2Name));
  return map;
}

std::uint16_t TvlPDCMap::DecodeCID(const WideString& Text, int Index, int& CodeLength,
                                   bool Embedded) const {
  const std::size_t i = static_cast<std::size_t>(Index - 1);
  if (Index < 1 || i >= Text.size()) {
    CodeLength = 1;
    return 0xFFFF;
  }
  std::uint16_t cid;
  if (FCodeToCID) {
    CodeLength = 1;
    cid = static_cast<std::uint16_t>(FCodeToCID->MapCode(Text[i]));  // -1 becomes 0xFFFF
  } else {
    CodeLength = 2;
    if (i + 1 < Text.size())
      cid = static_cast<std::uint16_t>(((Text[i] & 0xFF) << 8) | (Text[i + 1] & 0xFF));
    else
      cid = Text[i];
  }
  if (!Embedded && FCIDToUnicode) return static_cast<std::uint16_t>(FCIDToUnicode->MapCode(cid));
  return cid;
}
