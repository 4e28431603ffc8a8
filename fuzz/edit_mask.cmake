# The edit-mask engine: mask texts come from stored forms (grid cell kinds)
# and field texts from catalog cells, so both are outside input.
tansu_add_fuzzer(fuzz_edit_mask
  SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/fuzz_edit_mask.cpp
  LIBS tansu_framework)
tansu_ascii_only(fuzz_edit_mask)
