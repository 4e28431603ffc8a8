# Painting a window of a 100,000-row catalog grid.  The bench needs a
# QApplication on the offscreen platform, so bench_grid.cpp has its own
# main(); the benchmark_main library that tansu_add_bench links is static,
# so its main() is then never taken in.
if(TANSU_GUI)
  tansu_add_bench(bench_grid SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/bench_grid.cpp LIBS tansu_ui Qt6::Widgets)
endif()
