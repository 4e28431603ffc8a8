# Looking through a KiSS folder of 2,000 sets for the ones a catalog lacks.
tansu_add_bench(bench_scan SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/bench_scan.cpp LIBS tansu_scan)
