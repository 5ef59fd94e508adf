// Document information carried by the writers.
#pragma once

#include "platform/vlBase.h"
#include "platform/vlClasses.h"

class TvlDocInfo : public TPersistent {
public:
  const char* ClassName() const override { return "TvlDocInfo"; }
  void Assign(const TPersistent& Source) override;

  WideString Creator;
  WideString Title;
  WideString Keywords;
  WideString Author;
  WideString Subject;
};
