# tansu_add_test(name SOURCES a.cpp ... LIBS lib ... [QT])
#   One test executable; each GoogleTest case becomes a CTest test.
#   With QT the executable uses the widget-test main (a QApplication on the
#   offscreen platform) instead of gtest_main.
function(tansu_add_test name)
  cmake_parse_arguments(T "QT" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE ${T_LIBS} tansu_testsupport GTest::gtest GTest::gmock)
  if(T_QT)
    target_link_libraries(${name} PRIVATE tansu_qttestmain Qt6::Test)
  else()
    target_link_libraries(${name} PRIVATE GTest::gtest_main)
  endif()
  gtest_discover_tests(${name}
    DISCOVERY_MODE PRE_TEST
    DISCOVERY_TIMEOUT 60
    PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen;TANSU_SOURCE_DIR=${PROJECT_SOURCE_DIR}"
               TIMEOUT 300)
endfunction()
