// Basic vocabulary shared by every unit: string kinds, the exception root,
// and event handlers.
#pragma once

#include <cstdint>
#include <functional>
#include <stdexcept>
#include <string>
#include <string_view>

// 8-bit text: PDF bytes, names, file names, page ranges, RTF output.
using AnsiString = std::string;
// Wide text (UTF-16 code units): document information, glyph characters,
// run text. RTF's \u escapes are UTF-16 code units, so this is the natural form.
using WideString = std::u16string;
using WideChar = char16_t;

// Root of every exception the system raises; Message is the fixed text the
// caller (and the command-line program) shows.
class Exception : public std::runtime_error {
public:
  explicit Exception(const std::string& message) : std::runtime_error(message) {}
  std::string Message() const { return what(); }
};

// The runtime's conversion error ("'%s' is not a valid integer value",
// "Cannot assign a %s to a %s").
class EConvertError : public Exception {
public:
  using Exception::Exception;
};

// An event is a callable bound to its object (a lambda capturing `this`, or
// std::bind). An empty one is unassigned and is skipped by the raiser.
template <class... Args>
using TvlEvent = std::function<void(Args...)>;

namespace vl {

// UTF-8 <-> UTF-16 helpers for the edges (command line, file names, tests).
WideString Utf8ToWide(std::string_view s);
std::string WideToUtf8(std::u16string_view s);

}  // namespace vl
