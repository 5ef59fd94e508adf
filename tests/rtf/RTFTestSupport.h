// Helpers shared by the RTF tests.
#pragma once

#include <string>
#include <string_view>

namespace rtftest {

// Replaces the numbers drawn at random (list, level and style identifiers)
// by '#', so the rest of the text can be compared byte for byte.
inline std::string MaskIds(const std::string& text) {
  static constexpr std::string_view kWords[] = {"\\listtemplateid", "\\leveltemplateid", "\\listid",
                                                "\\styrsid"};
  std::string out;
  out.reserve(text.size());
  size_t i = 0;
  while (i < text.size()) {
    bool masked = false;
    for (std::string_view w : kWords) {
      if (text.compare(i, w.size(), w) != 0) continue;
      size_t j = i + w.size();
      if (j >= text.size() || text[j] < '0' || text[j] > '9') continue;
      while (j < text.size() && text[j] >= '0' && text[j] <= '9') ++j;
      out.append(w);
      out.push_back('#');
      i = j;
      masked = true;
      break;
    }
    if (!masked) out.push_back(text[i++]);
  }
  return out;
}

}  // namespace rtftest
