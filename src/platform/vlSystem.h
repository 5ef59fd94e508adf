// What the system needs to know about its host: screen resolution, ANSI
// code page, and opening a finished file with the desktop.
#pragma once

#include "platform/vlBase.h"

namespace vl {

// Logical pixels per inch of the screen. There is no display to ask, so the
// standard value is used.
constexpr int kScreenPixelsPerInch = 96;

// The ANSI code page the 8-bit text of the output is written in.
constexpr unsigned kAnsiCodePage = 1252;
inline unsigned GetACP() { return kAnsiCodePage; }

// Opens a file with the desktop's handler for it. No desktop is assumed, so
// this does nothing and reports false.
bool ShellOpen(const AnsiString& FileName);

// The code point of 8-bit character c in code page 1252 (undefined positions
// map to themselves), and back (0 when the character has no 1252 byte).
char16_t Cp1252ToUnicode(unsigned char c);
int UnicodeToCp1252(char16_t ch);

}  // namespace vl
