// Tokenizer for content streams. Operands are read into value slots (numbers
// inline, string and name bytes in a text pool, array and dictionary
// elements in an element pool); both pools keep their capacity between
// operators, so reading costs no allocation per operand.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

enum class TvlOperandKind : uint8_t { Boolean, Integer, Real, String, Name, Array, Dictionary, Null };

struct TvlOperand {
  TvlOperandKind Kind = TvlOperandKind::Null;
  bool Hex = false;     // a string written as <hex digits>: Text holds the digits
  bool Bool = false;
  int32_t Int = 0;      // Integer value
  double Num = 0;       // numeric value of Integer and Real
  uint32_t Start = 0;   // String, Name: offset into the text pool; Array, Dictionary: element pool
  uint32_t Length = 0;  // bytes, or elements (a dictionary holds key, value, key, value...)

  bool IsNumber() const { return Kind == TvlOperandKind::Integer || Kind == TvlOperandKind::Real; }
};

class TvlPDContentLexer {
public:
  enum TvlToken { tkOperand, tkOperator, tkEOF, tkError };

  TvlPDContentLexer() = default;
  TvlPDContentLexer(const uint8_t* Data, size_t Size) { SetData(Data, Size); }
  void SetData(const uint8_t* Data, size_t Size) {
    P = Data;
    Begin = Data;
    End = Data + Size;
  }

  // Reads one operand (a whole array or dictionary counts as one) or one
  // operator keyword (Op points into the data). A malformed token gives
  // tkError and is skipped.
  TvlToken Next(TvlOperand& Out, std::string_view& Op);

  std::string_view Text(const TvlOperand& O) const {
    return std::string_view(Pool.data() + O.Start, O.Length);
  }
  const TvlOperand* Elements(const TvlOperand& O) const { return Items.data() + O.Start; }
  // Forget the operands read so far (their pools are reused).
  void ClearPools() {
    Pool.clear();
    Items.clear();
  }

  size_t Position() const { return static_cast<size_t>(P - Begin); }
  void SetPosition(size_t Pos) { P = Begin + (Pos < Size() ? Pos : Size()); }
  size_t Size() const { return static_cast<size_t>(End - Begin); }
  const uint8_t* Data() const { return Begin; }

  static bool IsWhite(uint8_t C) { return kClass[C] == 1; }
  static bool IsDelimiter(uint8_t C) { return kClass[C] == 2; }
  static bool IsRegular(uint8_t C) { return kClass[C] == 0; }

private:
  // 0 regular, 1 white space, 2 delimiter.
  static const uint8_t kClass[256];
  void SkipWhiteAndComments();
  // One value of any kind at P; Nested when inside an array or dictionary.
  TvlToken ReadValue(TvlOperand& Out, std::string_view& Op, bool Nested);
  bool ReadNumber(std::string_view Tok, TvlOperand& Out);
  void ReadLiteralString(TvlOperand& Out);
  void ReadHexString(TvlOperand& Out);
  void ReadName(TvlOperand& Out);
  TvlToken ReadContainer(TvlOperand& Out, bool Dictionary);

  const uint8_t* P = nullptr;
  const uint8_t* Begin = nullptr;
  const uint8_t* End = nullptr;
  std::string Pool;
  std::vector<TvlOperand> Items;
  std::vector<TvlOperand> Scratch;  // elements of containers being read
  struct TvlFrame {
    size_t First;
    bool Dict;
  };
  std::vector<TvlFrame> Frames;  // containers open while reading
};
