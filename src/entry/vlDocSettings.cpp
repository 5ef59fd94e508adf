#include "entry/vlDocSettings.h"

void TvlPreferences::Assign(const TPersistent& Source) {
  auto* s = dynamic_cast<const TvlPreferences*>(&Source);
  if (!s) return TPersistent::Assign(Source);
  FormattingMode = s->FormattingMode;
}

void TvlDocSettings::Assign(const TPersistent& Source) {
  auto* s = dynamic_cast<const TvlDocSettings*>(&Source);
  if (!s) return TPersistent::Assign(Source);
  PageRange = s->PageRange;
  FPreferences.Assign(s->FPreferences);
}
