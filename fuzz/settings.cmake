tansu_add_fuzzer(fuzz_ini SOURCES fuzz_ini.cpp LIBS tansu_settings)
