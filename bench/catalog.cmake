tansu_add_bench(bench_catalog SOURCES bench_catalog.cpp LIBS tansu_catalog)
