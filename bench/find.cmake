# A search that goes all the way round a 100,000-record catalog grid.  The
# grid needs a QApplication on the offscreen platform: bench_find.cpp has
# its own main() (see grid.cmake).
if(TANSU_GUI)
  tansu_add_bench(bench_find SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/bench_find.cpp LIBS tansu_app Qt6::Widgets)
endif()
