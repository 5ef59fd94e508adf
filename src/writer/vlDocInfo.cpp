#include "writer/vlDocInfo.h"

void TvlDocInfo::Assign(const TPersistent& Source) {
  auto* s = dynamic_cast<const TvlDocInfo*>(&Source);
  if (!s) return TPersistent::Assign(Source);
  *this = *s;
}
