# DvConf32 in a temporary copy of the copier's folder, driven on Xvfb; with the launcher built as
# well, also started from a running Qx32.
set(config_e2e_sources ${CMAKE_CURRENT_SOURCE_DIR}/config_e2e_test.cpp)
if(TARGET Qx32)
  list(APPEND config_e2e_sources ${CMAKE_CURRENT_SOURCE_DIR}/config_from_launcher_test.cpp)
endif()
halvane_add_gtest(config_e2e_tests
  SOURCES ${config_e2e_sources}
  LIBS GTest::gtest_main
  TIMEOUT 180)
add_dependencies(config_e2e_tests DvConf32)
if(TARGET Qx32)
  add_dependencies(config_e2e_tests Qx32)
endif()
