# Built-in font tables: src/pdf/fonts/PDFontTables.cpp is generated from the
# published data in data/ by tools/gen/gen_font_tables.py and committed, so a
# build needs no Python. With Python present, `font_tables` regenerates the
# file and the test font_tables_current fails when it is stale.
find_package(Python3 COMPONENTS Interpreter QUIET)
if(Python3_Interpreter_FOUND)
  set(VL_FONT_TABLES_ARGS ${PROJECT_SOURCE_DIR}/tools/gen/gen_font_tables.py
      ${PROJECT_SOURCE_DIR}/data ${PROJECT_SOURCE_DIR}/src/pdf/fonts/PDFontTables.cpp)
  add_custom_target(font_tables
    COMMAND ${Python3_EXECUTABLE} ${VL_FONT_TABLES_ARGS}
    COMMENT "Regenerating the built-in font tables"
    VERBATIM)
  if(VL_TESTS)
    enable_testing()
    add_test(NAME font_tables_current
             COMMAND ${Python3_EXECUTABLE} ${PROJECT_SOURCE_DIR}/tools/gen/gen_font_tables.py --check
                     ${PROJECT_SOURCE_DIR}/data ${PROJECT_SOURCE_DIR}/src/pdf/fonts/PDFontTables.cpp)
  endif()
endif()
