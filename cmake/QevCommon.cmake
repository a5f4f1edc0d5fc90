# Shared CMake helpers of the project.

# Adds each listed folder; a missing one (or one without its CMakeLists.txt) is an
# error, so a part that went missing fails the build instead of vanishing from it.
macro(qev_add_dirs)
  foreach(_d ${ARGN})
    if(NOT EXISTS ${CMAKE_SOURCE_DIR}/${_d}/CMakeLists.txt)
      message(FATAL_ERROR "${_d}/CMakeLists.txt is missing: every listed part must be present")
    endif()
    add_subdirectory(${_d})
  endforeach()
endmacro()

if(CMAKE_CXX_COMPILER_ID MATCHES "GNU|Clang")
  add_compile_options(-Wall -Wextra -Wno-unused-parameter)
endif()
if(QEV_FUZZ)
  add_compile_options(-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=undefined)
  add_link_options(-fsanitize=address,undefined)
elseif(QEV_SANITIZE)
  # build/asan: the native tree with AddressSanitizer and UBSan; any finding fails the test.
  add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=undefined
                      -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined)
endif()
if(WIN32)
  add_compile_definitions(UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601)
  add_link_options(-static -static-libgcc -static-libstdc++)
endif()

# qev_test(NAME src... LIBS lib...): a GoogleTest program registered with CTest.
# Natively every test case is its own CTest entry; under Wine the program is one
# entry, since each start of a program costs a Wine process.
function(qev_test name)
  cmake_parse_arguments(T "" "" "LIBS" ${ARGN})
  add_executable(${name} ${T_UNPARSED_ARGUMENTS})
  target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gtest_main GTest::gmock)
  if(CMAKE_CROSSCOMPILING)
    add_test(NAME ${name} COMMAND ${name})
  else()
    gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 60)
  endif()
endfunction()

# qev_fuzz(NAME src... LIBS lib...): a libFuzzer target fuzz_NAME (build/fuzz only).
# scripts/fuzz-smoke runs every fuzz_* program it finds; seeds, when present, lie in
# the folder seeds_NAME beside the source.
function(qev_fuzz name)
  cmake_parse_arguments(F "" "" "LIBS" ${ARGN})
  add_executable(fuzz_${name} ${F_UNPARSED_ARGUMENTS})
  target_include_directories(fuzz_${name} PRIVATE ${CMAKE_SOURCE_DIR})
  target_link_libraries(fuzz_${name} PRIVATE ${F_LIBS})
  target_link_options(fuzz_${name} PRIVATE -fsanitize=fuzzer)
endfunction()

# Adds every sub-folder of the current folder that has a CMakeLists.txt of its own
# (one group of tests each).
macro(qev_add_child_dirs)
  file(GLOB _qev_children RELATIVE ${CMAKE_CURRENT_SOURCE_DIR} ${CMAKE_CURRENT_SOURCE_DIR}/*)
  list(SORT _qev_children)
  foreach(_qev_child ${_qev_children})
    if(EXISTS ${CMAKE_CURRENT_SOURCE_DIR}/${_qev_child}/CMakeLists.txt)
      add_subdirectory(${_qev_child})
    endif()
  endforeach()
endmacro()
