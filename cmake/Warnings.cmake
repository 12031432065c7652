# Project-wide compiler flags: warnings for everything we build, sanitizers on request.
add_compile_options(-Wall -Wextra -Wpedantic)
if(PADRIX_WERROR)
  add_compile_options(-Werror)
endif()
if(PADRIX_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=all)
  add_link_options(-fsanitize=address,undefined)
endif()

# Fuzz builds instrument every library for coverage; the fuzz targets add the fuzzer's main.
if(PADRIX_FUZZ)
  add_compile_options(-fsanitize=fuzzer-no-link)
  add_link_options(-fsanitize=fuzzer-no-link)
endif()

# padrix_add_test(<name> SOURCES ... LIBS ...): one GoogleTest executable, its cases registered with ctest.
function(padrix_add_test name)
  cmake_parse_arguments(T "" "" "SOURCES;LIBS;PROPERTIES" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gtest GTest::gmock GTest::gtest_main)
  gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60 PROPERTIES ${T_PROPERTIES})
endfunction()
