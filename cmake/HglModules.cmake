# Helpers that turn the folder layout into targets, so that adding a source,
# test, fuzz target or benchmark never needs a CMake edit.

set(HGL_ENGINE_LIBS "")
set(HGL_ENGINE_LAYERS "")
set(HGL_GAME_LAYERS "")
set(HGL_LAYER_ROOT ${CMAKE_BINARY_DIR}/layers)

# Each library compiles against a folder of its own under <build>/layers/ that links
# only its own and the lower layers' source folders, so an include of a higher layer
# does not compile. core/Types.h alone is visible to every layer.
function(hgl_layer_view view engine_layers game_layers)
  set(dir ${HGL_LAYER_ROOT}/${view})
  file(REMOVE_RECURSE ${dir})
  file(MAKE_DIRECTORY ${dir}/core)
  file(CREATE_LINK ${CMAKE_SOURCE_DIR}/engine/core/Types.h ${dir}/core/Types.h SYMBOLIC)
  foreach(layer ${engine_layers})
    if(NOT layer STREQUAL "core")
      file(CREATE_LINK ${CMAKE_SOURCE_DIR}/engine/${layer} ${dir}/${layer} SYMBOLIC)
    endif()
  endforeach()
  if("core" IN_LIST engine_layers)
    file(REMOVE_RECURSE ${dir}/core)
    file(CREATE_LINK ${CMAKE_SOURCE_DIR}/engine/core ${dir}/core SYMBOLIC)
  endif()
  foreach(layer ${game_layers})
    file(MAKE_DIRECTORY ${dir}/game)
    file(CREATE_LINK ${CMAKE_SOURCE_DIR}/game/${layer} ${dir}/game/${layer} SYMBOLIC)
  endforeach()
endfunction()

# A library's outside dependencies (system libraries found by pkg-config and the
# like) are declared in cmake/deps/<library target>.cmake as a function
# hgl_deps_<library target>(target).
file(GLOB HGL_DEPS_FILES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/cmake/deps/*.cmake)
foreach(f ${HGL_DEPS_FILES})
  include(${f})
endforeach()

function(hgl_library_deps target)
  if(COMMAND hgl_deps_${target})
    cmake_language(CALL hgl_deps_${target} ${target})
  endif()
endfunction()

# engine/<name>/**/*.cpp -> static library hgl_<name>, linked to every library before it.
function(hgl_engine_library name)
  set(layers ${HGL_ENGINE_LAYERS} ${name})
  set(HGL_ENGINE_LAYERS ${layers} PARENT_SCOPE)
  file(GLOB_RECURSE sources CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/engine/${name}/*.cpp)
  if(sources)
    hgl_layer_view(hgl_${name} "${layers}" "")
    add_library(hgl_${name} STATIC ${sources})
    target_include_directories(hgl_${name} PRIVATE ${HGL_LAYER_ROOT}/hgl_${name})
    target_link_libraries(hgl_${name} PUBLIC ${HGL_ENGINE_LIBS} Threads::Threads ${CMAKE_DL_LIBS})
    hgl_library_deps(hgl_${name})
    set(HGL_ENGINE_LIBS ${HGL_ENGINE_LIBS} hgl_${name} PARENT_SCOPE)
  endif()
endfunction()

# game/<name>/**/*.cpp -> static library avg_<name>, on top of the engine.
function(hgl_game_library name)
  set(layers ${HGL_GAME_LAYERS} ${name})
  set(HGL_GAME_LAYERS ${layers} PARENT_SCOPE)
  file(GLOB_RECURSE sources CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/game/${name}/*.cpp)
  if(sources)
    hgl_layer_view(avg_${name} "${HGL_ENGINE_LAYERS}" "${layers}")
    add_library(avg_${name} STATIC ${sources})
    target_include_directories(avg_${name} PRIVATE ${HGL_LAYER_ROOT}/avg_${name})
    target_link_libraries(avg_${name} PUBLIC ${HGL_ENGINE_LIBS} Threads::Threads ${CMAKE_DL_LIBS})
    hgl_library_deps(avg_${name})
    set(HGL_ENGINE_LIBS avg_${name} ${HGL_ENGINE_LIBS} PARENT_SCOPE)
  endif()
endfunction()

# Link a target to every engine library.
function(hgl_link_engine target)
  target_include_directories(${target} PRIVATE ${CMAKE_SOURCE_DIR}/engine ${CMAKE_SOURCE_DIR})
  target_link_libraries(${target} PRIVATE ${HGL_ENGINE_LIBS} Threads::Threads ${CMAKE_DL_LIBS})
endfunction()

# tests/support/*.cpp -> hgl_test_support (log capture, temp folders, ...).
function(hgl_test_support)
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/support/*.cpp)
  if(sources)
    add_library(hgl_test_support STATIC ${sources})
  else()
    add_library(hgl_test_support INTERFACE)
  endif()
  target_include_directories(hgl_test_support INTERFACE ${CMAKE_SOURCE_DIR}/tests ${CMAKE_SOURCE_DIR}/engine ${CMAKE_SOURCE_DIR})
  if(sources)
    target_include_directories(hgl_test_support PRIVATE ${CMAKE_SOURCE_DIR}/tests)
    hgl_link_engine(hgl_test_support)
    target_link_libraries(hgl_test_support PUBLIC GTest::gtest)
  endif()
endfunction()

# Every folder under tests/ that holds *.cpp files (tests/support excepted) becomes
# one GoogleTest program test_<path with _>, labelled with its top folder.
function(hgl_test_suites)
  file(GLOB_RECURSE all CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/*.cpp)
  set(dirs "")
  foreach(f ${all})
    get_filename_component(d ${f} DIRECTORY)
    list(APPEND dirs ${d})
  endforeach()
  list(REMOVE_DUPLICATES dirs)
  foreach(d ${dirs})
    file(RELATIVE_PATH rel ${CMAKE_SOURCE_DIR}/tests ${d})
    if(rel STREQUAL "support" OR rel MATCHES "^support/" OR rel MATCHES "(^|/)data(/|$)")
      continue()
    endif()
    file(GLOB sources CONFIGURE_DEPENDS ${d}/*.cpp)
    string(REPLACE "/" "_" tname ${rel})
    string(REGEX REPLACE "/.*" "" label ${rel})
    add_executable(test_${tname} ${sources})
    target_include_directories(test_${tname} PRIVATE ${CMAKE_SOURCE_DIR}/tests)
    target_link_libraries(test_${tname} PRIVATE hgl_test_support GTest::gtest GTest::gmock GTest::gtest_main)
    hgl_link_engine(test_${tname})
    target_compile_definitions(test_${tname} PRIVATE HGL_TEST_DATA_DIR="${CMAKE_SOURCE_DIR}/tests/data")
    if(COMMAND hgl_test_extra_${tname})
      cmake_language(CALL hgl_test_extra_${tname} test_${tname})
    endif()
    gtest_discover_tests(test_${tname}
      WORKING_DIRECTORY ${CMAKE_BINARY_DIR}
      PROPERTIES LABELS ${label}
      DISCOVERY_TIMEOUT 60)
  endforeach()
endfunction()

# fuzz/<name>.cpp defines LLVMFuzzerTestOneInput. Every build replays the seed
# corpus fuzz/corpus/<name>/ through a small driver; with HGL_FUZZ (clang) a real
# libFuzzer binary fuzz_<name> is built as well.
function(hgl_fuzz_targets)
  file(GLOB targets CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/fuzz/*.cpp)
  list(FILTER targets EXCLUDE REGEX "/replay_main\\.cpp$")
  foreach(src ${targets})
    get_filename_component(name ${src} NAME_WE)
    add_executable(fuzz_replay_${name} ${src} ${CMAKE_SOURCE_DIR}/fuzz/replay_main.cpp)
    hgl_link_engine(fuzz_replay_${name})
    add_test(NAME fuzz_replay.${name}
      COMMAND fuzz_replay_${name} ${CMAKE_SOURCE_DIR}/fuzz/corpus/${name})
    set_tests_properties(fuzz_replay.${name} PROPERTIES LABELS fuzz)
    if(HGL_FUZZ)
      add_executable(fuzz_${name} ${src})
      target_compile_options(fuzz_${name} PRIVATE -fsanitize=fuzzer,address,undefined)
      target_link_options(fuzz_${name} PRIVATE -fsanitize=fuzzer,address,undefined)
      hgl_link_engine(fuzz_${name})
    endif()
  endforeach()
endfunction()

# bench/<name>.cpp -> bench_<name> (Google Benchmark; built, not run by the suite).
function(hgl_benchmarks)
  file(GLOB benches CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/bench/*.cpp)
  foreach(src ${benches})
    get_filename_component(name ${src} NAME_WE)
    add_executable(bench_${name} ${src})
    hgl_link_engine(bench_${name})
    target_link_libraries(bench_${name} PRIVATE benchmark::benchmark benchmark::benchmark_main)
  endforeach()
endfunction()
