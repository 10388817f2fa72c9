# DvConf32 in a temporary copy of the copier's folder, driven on Xvfb.
halvane_add_gtest(config_e2e_tests
  SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/config_e2e_test.cpp
  LIBS GTest::gtest_main
  TIMEOUT 180)
add_dependencies(config_e2e_tests DvConf32)
