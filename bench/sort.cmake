# Sorting a 100,000-record catalog in the grid, beside GNU sort of the same
# file.  Needs a QApplication on the offscreen platform: bench_sort.cpp has
# its own main() (see grid.cmake).
if(TANSU_GUI)
  tansu_add_bench(bench_sort SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/bench_sort.cpp LIBS tansu_controls tansu_catalog Qt6::Widgets)
endif()
