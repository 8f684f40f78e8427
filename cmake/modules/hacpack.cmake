# HAC-3 writer library (used by tests and benchmarks to build real archives) and
# the hacpack command-line packer.
add_library(hgl_hacwriter STATIC ${CMAKE_SOURCE_DIR}/tools/hacpack/HacWriter.cpp
            ${CMAKE_SOURCE_DIR}/tools/hacpack/EngineCompressor.cpp)
target_include_directories(hgl_hacwriter PUBLIC ${CMAKE_SOURCE_DIR}/tools ${CMAKE_SOURCE_DIR})
hgl_link_engine(hgl_hacwriter)

add_executable(hacpack ${CMAKE_SOURCE_DIR}/tools/hacpack/hacpack.cpp)
target_link_libraries(hacpack PRIVATE hgl_hacwriter)
hgl_link_engine(hacpack)

function(hgl_test_extra_io target)
  hgl_plugin_user(${target})
  target_link_libraries(${target} PRIVATE hgl_hacwriter)
  add_dependencies(${target} hacpack)
  # The compressed-entry tests load the build's compression plug-ins by folder, so
  # that they pass wherever the test program is started from.
  target_compile_definitions(${target} PRIVATE HGL_HACPACK_EXE="$<TARGET_FILE:hacpack>")
endfunction()

# The benchmark target is made after the module files are read; link it at the end.
function(hgl_hacwriter_late_links)
  if(TARGET bench_archive)
    target_link_libraries(bench_archive PRIVATE hgl_hacwriter)
  endif()
endfunction()
cmake_language(DEFER DIRECTORY ${CMAKE_SOURCE_DIR} CALL hgl_hacwriter_late_links)
