# Shared build settings and helpers.

set(KIV_WARNINGS -Wall -Wextra -Wpedantic -Wshadow -Wnon-virtual-dtor -Woverloaded-virtual
    -Wno-unused-parameter)

if(KIV_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer
                      -fno-sanitize-recover=undefined)
  add_link_options(-fsanitize=address,undefined)
endif()

# The source folder of the project, for tests that read bundled files.
set(KIV_SOURCE_DIR ${CMAKE_SOURCE_DIR})

# kiv_add_host_library(NAME SOURCES ... DEPS ...)
# A shared host framework library; its folder is its public include path.
function(kiv_add_host_library name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPS" ${ARGN})
  add_library(${name} SHARED ${ARG_SOURCES})
  target_include_directories(${name} PUBLIC ${CMAKE_CURRENT_SOURCE_DIR})
  target_compile_options(${name} PRIVATE ${KIV_WARNINGS})
  target_link_libraries(${name} PUBLIC ${ARG_DEPS})
endfunction()

# kiv_add_test(NAME SOURCES ... DEPS ...)
# A GoogleTest program registered with ctest, test by test.
function(kiv_add_test name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_compile_options(${name} PRIVATE ${KIV_WARNINGS})
  target_compile_definitions(${name} PRIVATE KIV_SOURCE_DIR="${KIV_SOURCE_DIR}"
                                             KIV_BINARY_DIR="${CMAKE_BINARY_DIR}")
  target_include_directories(${name} PRIVATE ${KIV_SOURCE_DIR}/tests/support)
  target_link_libraries(${name} PRIVATE ${ARG_DEPS} GTest::gtest GTest::gtest_main)
  gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST
                       PROPERTIES ENVIRONMENT "KivSourceDir=${KIV_SOURCE_DIR}")
endfunction()

# Adds every immediate subfolder of the current folder that has a CMakeLists.txt,
# in name order, so that frameworks and test suites plug in without editing
# their parent.
function(kiv_add_subfolders)
  file(GLOB children LIST_DIRECTORIES true RELATIVE ${CMAKE_CURRENT_SOURCE_DIR}
       ${CMAKE_CURRENT_SOURCE_DIR}/*)
  list(SORT children)
  foreach(child ${children})
    if(IS_DIRECTORY ${CMAKE_CURRENT_SOURCE_DIR}/${child}
       AND EXISTS ${CMAKE_CURRENT_SOURCE_DIR}/${child}/CMakeLists.txt)
      add_subdirectory(${child})
    endif()
  endforeach()
endfunction()
