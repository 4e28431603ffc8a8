# A minimal Qt window, the yardstick the viewer's start is measured against
# (kiss_open_time.sh).
if(TANSU_GUI)
  add_executable(bench_minimal_window ${CMAKE_CURRENT_SOURCE_DIR}/minimal_window.cpp)
  target_link_libraries(bench_minimal_window PRIVATE Qt6::Widgets)
endif()
