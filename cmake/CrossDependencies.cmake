# The dependencies of a cross build that no package carries for the target, under the same target names
# as their packages give:
#   GoogleTest built from its sources with the target compiler (Debian's googletest package puts them in
#   /usr/src/googletest);
#   CLI11, header-only, from a copy of the build machine's headers (its own package would put all of
#   /usr/include on the target's include path).
set(KW24_GTEST_SOURCE /usr/src/googletest CACHE PATH "GoogleTest sources for a cross build")
set(KW24_CLI11_HEADERS /usr/include/CLI CACHE PATH "CLI11's header folder for a cross build")

set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
add_subdirectory(${KW24_GTEST_SOURCE} ${PROJECT_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)
foreach(kw24_gtest_target gtest gtest_main)
  if(NOT TARGET GTest::${kw24_gtest_target})
    add_library(GTest::${kw24_gtest_target} ALIAS ${kw24_gtest_target})
  endif()
endforeach()

file(COPY ${KW24_CLI11_HEADERS}/ DESTINATION ${PROJECT_BINARY_DIR}/cli11/CLI)
add_library(CLI11::CLI11 INTERFACE IMPORTED)
target_include_directories(CLI11::CLI11 SYSTEM INTERFACE ${PROJECT_BINARY_DIR}/cli11)
