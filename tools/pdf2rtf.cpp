#include <cstdio>

int main() {
  std::fprintf(stderr, "pdf2rtf: the PDF reader is not built yet\n");
  return 1;
}
