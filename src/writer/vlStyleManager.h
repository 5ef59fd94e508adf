// Named paragraph styles, shared by every writer of the process.
#pragma once

#include <memory>
#include <vector>

#include "platform/vlClasses.h"
#include "platform/vlGraphics.h"

class TvlStyle : public TPersistent {
public:
  const char* ClassName() const override { return "TvlStyle"; }
  // Copies the font (by its own Assign), StyleColor, StyleKind, StyleName and StyleID.
  void Assign(const TPersistent& Source) override;

  AnsiString StyleID;
  int StyleColor = 0;
  TFont StyleFont;
  uint8_t StyleKind = 0;
  AnsiString StyleName;
};

// The process-wide style list. Acquire() hands out the single instance,
// creating it for its first user; it and its list are destroyed when the
// last user lets go.
class TvlStyleManager : public TPersistent {
public:
  static std::shared_ptr<TvlStyleManager> Acquire();
  // Live users of the instance (0 when none exists).
  static long UserCount();

  const char* ClassName() const override { return "TvlStyleManager"; }
  // Copies the styles of another manager (a no-op for the shared instance itself).
  void Assign(const TPersistent& Source) override;

  // The index of the style named Name (case-sensitive); otherwise appends a
  // style with a copy of Font, Color, Name and Kind, whose StyleID is "s" +
  // (count before adding + 11), and returns its index.
  int AddStyle(const TFont& Font, TColor Color, const AnsiString& Name, uint8_t Kind);
  int IndexOfStyle(const AnsiString& Name) const;
  TvlStyle& StyleAt(int Index) { return *FStyles.at(static_cast<size_t>(Index)); }
  const TvlStyle& StyleAt(int Index) const { return *FStyles.at(static_cast<size_t>(Index)); }
  int Count() const { return static_cast<int>(FStyles.size()); }
  void Clear() { FStyles.clear(); }

private:
  std::vector<std::unique_ptr<TvlStyle>> FStyles;
};
