# Shared compile settings and helpers for every folder of the project.

set(MORVICK_ROOT ${CMAKE_CURRENT_LIST_DIR}/..)

add_library(morvick_options INTERFACE)
target_include_directories(morvick_options INTERFACE ${MORVICK_ROOT})
target_compile_options(morvick_options INTERFACE -Wall -Wextra -Wno-unused-parameter)

if(WIN32)
  target_compile_definitions(morvick_options INTERFACE
    UNICODE _UNICODE WINVER=0x0601 _WIN32_WINNT=0x0601 _WIN32_IE=0x0800 NOMINMAX STRICT)
  target_link_options(morvick_options INTERFACE -static -static-libgcc -static-libstdc++)
  # The class library's idiom of calling GetSafeHwnd and kin through a NULL pointer must keep its
  # NULL test in every library that uses it, not only in the class library itself.
  target_compile_options(morvick_options INTERFACE -fno-delete-null-pointer-checks)
  # Windows headers lean on casts that g++ warns about at -Wextra.
  target_compile_options(morvick_options INTERFACE -Wno-cast-function-type -Wno-missing-field-initializers)
endif()

if(MORVICK_FUZZ)
  # Coverage for the libraries too, not only for the fuzzer's own file.
  target_compile_options(morvick_options INTERFACE -fsanitize=fuzzer-no-link)
endif()
if(MORVICK_SANITIZE OR MORVICK_FUZZ)
  target_compile_options(morvick_options INTERFACE -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
  target_link_options(morvick_options INTERFACE -fsanitize=address,undefined)
endif()

# True when this configuration builds tests (every one but the fuzzer build).
if(MORVICK_FUZZ)
  set(MORVICK_BUILD_TESTS OFF)
else()
  set(MORVICK_BUILD_TESTS ON)
endif()

# morvick_test(name SOURCES a.cpp b.cpp LIBS lib1 lib2 [NO_GTEST_MAIN])
# One test program, registered with ctest as a single test: under Wine every program start is
# expensive, so each program holds a whole group of suites.
function(morvick_test name)
  if(NOT MORVICK_BUILD_TESTS)
    return()
  endif()
  cmake_parse_arguments(T "NO_GTEST_MAIN" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE morvick_options ${T_LIBS} gmock)
  if(NOT T_NO_GTEST_MAIN)
    target_link_libraries(${name} PRIVATE gtest_main)
  else()
    target_link_libraries(${name} PRIVATE gtest)
  endif()
  if(WIN32)
    set(label windows)
    # Every Windows program puts the tests' scratch registry trees back as it found them.
    target_sources(${name} PRIVATE ${MORVICK_ROOT}/tests/support/win/ScratchRegistryEnvironment.cpp)
    target_link_libraries(${name} PRIVATE morvick_test_support)
  else()
    set(label native)
  endif()
  add_test(NAME ${name} COMMAND ${name} --gtest_brief=1)
  set_tests_properties(${name} PROPERTIES LABELS ${label}
    ENVIRONMENT "MORVICK_SOURCE_DIR=${MORVICK_ROOT};MORVICK_BINARY_DIR=${CMAKE_BINARY_DIR}")
endfunction()

# morvick_fuzzer(name SOURCES a.cpp LIBS lib1)  -- built only in the fuzz configuration.
function(morvick_fuzzer name)
  if(NOT MORVICK_FUZZ)
    return()
  endif()
  cmake_parse_arguments(F "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${F_SOURCES})
  target_compile_options(${name} PRIVATE -fsanitize=fuzzer)
  target_link_options(${name} PRIVATE -fsanitize=fuzzer)
  target_link_libraries(${name} PRIVATE morvick_options ${F_LIBS})
  set_property(GLOBAL APPEND PROPERTY MORVICK_FUZZERS ${name})
endfunction()

# morvick_glob_library(name [INTERFACE_LIBS a b] [PRIVATE_LIBS c d])
# A static library of every .cpp below the calling folder. Files whose name ends in _win32.cpp build
# only for Windows and files ending in _posix.cpp only elsewhere. Folders called "win" hold Windows-only
# code as a whole. The library is created only when it has sources.
function(morvick_glob_library name)
  cmake_parse_arguments(L "" "" "PUBLIC_LIBS;PRIVATE_LIBS" ${ARGN})
  file(GLOB_RECURSE srcs CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/*.c)
  if(WIN32)
    list(FILTER srcs EXCLUDE REGEX "_posix\\.cpp$")
  else()
    list(FILTER srcs EXCLUDE REGEX "_win32\\.cpp$")
    list(FILTER srcs EXCLUDE REGEX "/win/")
  endif()
  if(NOT srcs)
    return()
  endif()
  add_library(${name} STATIC ${srcs})
  target_link_libraries(${name} PUBLIC morvick_options ${L_PUBLIC_LIBS} PRIVATE ${L_PRIVATE_LIBS})
  # The fuzzers link every library of the (native) fuzz build.
  set_property(GLOBAL APPEND PROPERTY MORVICK_LIBRARIES ${name})
endfunction()

# Adds every immediate subfolder of the calling folder that has a CMakeLists.txt.
macro(morvick_add_subfolders)
  file(GLOB _children RELATIVE ${CMAKE_CURRENT_SOURCE_DIR} CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*)
  list(SORT _children)
  foreach(_child ${_children})
    if(EXISTS ${CMAKE_CURRENT_SOURCE_DIR}/${_child}/CMakeLists.txt)
      add_subdirectory(${_child})
    endif()
  endforeach()
endmacro()

# morvick_bench_test(name script.sh)
# A shell test of morvick-bench: bash script.sh SOURCE_DIR WORK_DIR PATH_PREFIX BENCH_COMMAND...,
# with the bench run through Wine and its paths on drive Z: in the Windows configuration. The work
# folder is build/<preset>/<name>-work.
function(morvick_bench_test name script)
  if(NOT MORVICK_BUILD_TESTS OR NOT TARGET morvick-bench)
    return()
  endif()
  if(WIN32)
    set(bench_command ${CMAKE_CROSSCOMPILING_EMULATOR} $<TARGET_FILE:morvick-bench>)
    set(path_prefix "Z:")
    set(label windows)
  else()
    set(bench_command $<TARGET_FILE:morvick-bench>)
    set(path_prefix "")
    set(label native)
  endif()
  add_test(NAME ${name}
    COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/${script} ${MORVICK_ROOT}
      ${CMAKE_BINARY_DIR}/${name}-work "${path_prefix}" ${bench_command})
  set_tests_properties(${name} PROPERTIES LABELS ${label})
endfunction()
