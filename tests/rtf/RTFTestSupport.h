// Helpers shared by the RTF tests.
#pragma once

#include <regex>
#include <string>

namespace rtftest {

// Replaces the numbers drawn at random (list, level and style identifiers)
// by '#', so the rest of the text can be compared byte for byte.
inline std::string MaskIds(const std::string& text) {
  static const std::regex ids(R"((\\listtemplateid|\\leveltemplateid|\\listid|\\styrsid)\d+)");
  return std::regex_replace(text, ids, "$1#");
}

}  // namespace rtftest
