#include "rtf/vlRTFUtils.h"

#include <charconv>
#include <cmath>

namespace vl::rtf {

void AppendEncodedText(AnsiString& out, std::u16string_view text) {
  for (char16_t c : text) {
    if (c < 256) {
      if (c == u'\\' || c == u'{' || c == u'}') out.push_back('\\');
      out.push_back(static_cast<char>(c));
    } else {
      out.append("\\u");
      AppendInt(out, c > 32767 ? static_cast<int64_t>(c) - 65536 : static_cast<int64_t>(c));
      out.push_back('?');
    }
  }
}

AnsiString EncodeText(std::u16string_view text) {
  AnsiString out;
  out.reserve(text.size());
  AppendEncodedText(out, text);
  return out;
}

void AppendEscapedAnsi(AnsiString& out, std::string_view text) {
  for (char c : text) {
    if (c == '\\' || c == '{' || c == '}') out.push_back('\\');
    out.push_back(c);
  }
}

int64_t RoundHalfEven(double value) {
  if (!std::isfinite(value)) return 0;
  constexpr double kLimit = 2147483647.0;
  if (value > kLimit) value = kLimit;
  if (value < -kLimit) value = -kLimit;
  // nearbyint follows the default rounding mode, which is ties-to-even.
  return static_cast<int64_t>(std::nearbyint(value));
}

void AppendInt(AnsiString& out, int64_t value) {
  char buf[24];
  auto res = std::to_chars(buf, buf + sizeof buf, value);
  out.append(buf, res.ptr);
}

}  // namespace vl::rtf
