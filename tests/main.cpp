#include <gtest/gtest.h>

#include <cstdlib>

int main(int argc, char** argv) {
  // Text measurement must see the same fonts on every machine.
  setenv("FONTCONFIG_FILE", VL_SOURCE_DIR "/tests/fonts/fonts.conf", 1);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
