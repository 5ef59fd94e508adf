// Output settings of a conversion: the page range and the preferences.
#pragma once

#include "platform/vlClasses.h"
#include "writer/vlWriterClasses.h"

class TvlPreferences : public TPersistent {
public:
  const char* ClassName() const override { return "TvlPreferences"; }
  void Assign(const TPersistent& Source) override;

  TvlFormattingMode FormattingMode = fmFormatted;
};

class TvlDocSettings : public TPersistent {
public:
  const char* ClassName() const override { return "TvlDocSettings"; }
  // From another TvlDocSettings: copies PageRange and the preferences.
  void Assign(const TPersistent& Source) override;

  // Blank means all pages.
  AnsiString PageRange;
  TvlPreferences& Preferences() { return FPreferences; }
  const TvlPreferences& Preferences() const { return FPreferences; }
  void SetPreferences(const TvlPreferences& Value) { FPreferences.Assign(Value); }

private:
  TvlPreferences FPreferences;
};
