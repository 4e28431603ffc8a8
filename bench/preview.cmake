# The preview of a set: reading a 100-cel archive in memory and drawing its
# first picture, alone and as the preview window gets it (through the
# worker thread, from the wish to the picture on the main thread).
if(TANSU_GUI)
  tansu_add_bench(bench_preview SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/bench_preview.cpp
    LIBS tansu_preview tansu_kiss_tools Qt6::Widgets)
endif()
