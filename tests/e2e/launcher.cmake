# The launcher end to end: Qx32 and its help viewer copied into a temporary installation, on Xvfb.
halvane_add_gtest(launcher_e2e_test
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/launcher_e2e_test.cpp
  LIBS GTest::gtest_main
  TIMEOUT 180)
add_dependencies(launcher_e2e_test Qx32 HalvaneHelp shell_probe)
