# Stored forms: binary to text on arbitrary bytes, text to binary on
# arbitrary text; whatever converts must convert back to the same text.
tansu_add_fuzzer(fuzz_form_binary SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/fuzz_form_binary.cpp LIBS tansu_framework)
tansu_add_fuzzer(fuzz_form_text SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/fuzz_form_text.cpp LIBS tansu_framework)
# The form reader: arbitrary stored-form text read into components.
tansu_add_fuzzer(fuzz_form_reader SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/fuzz_form_reader.cpp LIBS tansu_framework)
