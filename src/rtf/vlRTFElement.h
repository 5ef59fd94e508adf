// Base of the RTF element tree. The writer keeps the whole document as
// elements and renders it once, at the end, into a single buffer.
#pragma once

#include <memory>
#include <vector>

#include "platform/vlBase.h"

class TvlRTFElement {
public:
  virtual ~TvlRTFElement() = default;

  // Appends the element's complete RTF to Text. Appending (instead of
  // returning a string per element) keeps rendering linear in the size of
  // the document.
  virtual void RenderTo(AnsiString& Text) const;

  // Sets Text to the element's complete RTF.
  void Render(AnsiString& Text) const {
    Text.clear();
    RenderTo(Text);
  }
};

// Ordered, owning list of elements; renders its items in order, joined
// without separators.
class TvlRTFElements : public TvlRTFElement {
public:
  // Takes ownership and returns the stored element.
  template <class T>
  T* Add(std::unique_ptr<T> element) {
    T* raw = element.get();
    Items.push_back(std::move(element));
    return raw;
  }
  int Count() const { return static_cast<int>(Items.size()); }
  TvlRTFElement* operator[](int i) const { return Items[static_cast<size_t>(i)].get(); }
  void RenderTo(AnsiString& Text) const override;

  std::vector<std::unique_ptr<TvlRTFElement>> Items;
};
