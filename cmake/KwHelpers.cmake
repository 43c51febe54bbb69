# Small helpers so that each folder's CMakeLists.txt stays a few lines long.

# Adds every direct child folder of DIR that has a CMakeLists.txt, in name order.
function(kw_add_subdirectories dir)
  if(NOT IS_ABSOLUTE ${dir})
    set(dir ${CMAKE_CURRENT_SOURCE_DIR}/${dir})
  endif()
  if(EXISTS ${dir}/CMakeLists.txt)
    add_subdirectory(${dir})
    return()
  endif()
  file(GLOB children LIST_DIRECTORIES true ${dir}/*)
  list(SORT children)
  foreach(child ${children})
    if(IS_DIRECTORY ${child} AND EXISTS ${child}/CMakeLists.txt)
      add_subdirectory(${child})
    endif()
  endforeach()
endfunction()

# kw_add_library(NAME SOURCES a.cpp b.cpp LIBS kw_core Qt6::Sql)
function(kw_add_library name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_library(${name} STATIC ${ARG_SOURCES})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
  target_link_libraries(${name} PUBLIC ${ARG_LIBS})
  target_compile_options(${name} PRIVATE -Wall -Wextra)
  target_compile_definitions(${name} PUBLIC QT_NO_KEYWORDS)
endfunction()

# kw_add_test(NAME SOURCES tst_x.cpp LIBS kw_shell)
# Each test runs offscreen with its own settings, profile and program folder.
function(kw_add_test name)
  cmake_parse_arguments(ARG "" "TIMEOUT" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE Qt6::Test kw_testsupport ${ARG_LIBS})
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/src ${PROJECT_SOURCE_DIR}/tests)
  target_compile_definitions(${name} PRIVATE
    KW_TEST_FIXTURES="${PROJECT_SOURCE_DIR}/tests/fixtures"
    KW_SOURCE_DIR="${PROJECT_SOURCE_DIR}"
    KW_DATA_DIR="${KW_DATA_DIR}")
  add_test(NAME ${name} COMMAND ${name})
  if(NOT ARG_TIMEOUT)
    set(ARG_TIMEOUT 120)
  endif()
  set_tests_properties(${name} PROPERTIES
    TIMEOUT ${ARG_TIMEOUT}
    ENVIRONMENT "QT_QPA_PLATFORM=offscreen;KONTORWERK_DATA=${KW_DATA_DIR}")
endfunction()

# kw_add_bench(NAME SOURCES bench_x.cpp LIBS ...): built by default, never run by CTest.
function(kw_add_bench name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS})
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/src)
  target_compile_definitions(${name} PRIVATE KW_DATA_DIR="${KW_DATA_DIR}")
endfunction()
