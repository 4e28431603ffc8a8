# The KiSS viewer's readers of configuration, palette and cel files.  The
# viewer folder itself needs Qt; these sources do not.
set(kiss_format_sources
  ${PROJECT_SOURCE_DIR}/viewer/kiss/palette.cpp ${PROJECT_SOURCE_DIR}/viewer/kiss/cel.cpp
  ${PROJECT_SOURCE_DIR}/viewer/kiss/config.cpp ${PROJECT_SOURCE_DIR}/viewer/kiss/doll.cpp
  ${PROJECT_SOURCE_DIR}/viewer/kiss/fkiss_script.cpp ${PROJECT_SOURCE_DIR}/viewer/kiss/fkiss_player.cpp
  ${PROJECT_SOURCE_DIR}/viewer/kiss/compose.cpp ${PROJECT_SOURCE_DIR}/viewer/kiss/field_state.cpp
  ${PROJECT_SOURCE_DIR}/viewer/kiss/wave.cpp)
foreach(name fuzz_kiss_cnf fuzz_kiss_cel fuzz_kiss_kcf fuzz_kiss_fkiss)
  tansu_add_fuzzer(${name} SOURCES ${name}.cpp ${kiss_format_sources} LIBS)
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/viewer)
endforeach()
