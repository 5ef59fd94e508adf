#include "writer/vlStyleManager.h"

#include <cstdio>

namespace {
std::weak_ptr<TvlStyleManager>& Shared() {
  static std::weak_ptr<TvlStyleManager> instance;
  return instance;
}
}  // namespace

void TvlStyle::Assign(const TPersistent& Source) {
  auto* s = dynamic_cast<const TvlStyle*>(&Source);
  if (!s) return TPersistent::Assign(Source);
  StyleFont.Assign(s->StyleFont);
  StyleColor = s->StyleColor;
  StyleKind = s->StyleKind;
  StyleName = s->StyleName;
  StyleID = s->StyleID;
}

std::shared_ptr<TvlStyleManager> TvlStyleManager::Acquire() {
  std::shared_ptr<TvlStyleManager> p = Shared().lock();
  if (!p) {
    p = std::make_shared<TvlStyleManager>();
    Shared() = p;
  }
  return p;
}

long TvlStyleManager::UserCount() { return Shared().use_count(); }

void TvlStyleManager::Assign(const TPersistent& Source) {
  auto* s = dynamic_cast<const TvlStyleManager*>(&Source);
  if (!s) return TPersistent::Assign(Source);
  if (s == this) return;
  FStyles.clear();
  for (const auto& st : s->FStyles) {
    auto copy = std::make_unique<TvlStyle>();
    copy->Assign(*st);
    FStyles.push_back(std::move(copy));
  }
}

int TvlStyleManager::IndexOfStyle(const AnsiString& Name) const {
  for (size_t i = 0; i < FStyles.size(); ++i)
    if (FStyles[i]->StyleName == Name) return static_cast<int>(i);
  return -1;
}

int TvlStyleManager::AddStyle(const TFont& Font, TColor Color, const AnsiString& Name, uint8_t Kind) {
  int existing = IndexOfStyle(Name);
  if (existing >= 0) return existing;
  auto st = std::make_unique<TvlStyle>();
  st->StyleFont.Assign(Font);
  st->StyleColor = Color;
  st->StyleKind = Kind;
  st->StyleName = Name;
  char id[24];
  std::snprintf(id, sizeof id, "s%zu", FStyles.size() + 11);
  st->StyleID = id;
  FStyles.push_back(std::move(st));
  return static_cast<int>(FStyles.size()) - 1;
}
