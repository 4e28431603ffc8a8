# The byte-level readers of the catalog and of the description files.
tansu_add_fuzzer(fuzz_csv SOURCES fuzz_csv.cpp fuzz_input_file.cpp LIBS tansu_catalog)
tansu_add_fuzzer(fuzz_hosoku SOURCES fuzz_hosoku.cpp fuzz_input_file.cpp LIBS tansu_hosoku)
