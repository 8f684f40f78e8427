# The extras' benchmark draws on the headless canvas of the test support.
function(hgl_screens_extras_bench_late_links)
  if(TARGET bench_extras)
    target_link_libraries(bench_extras PRIVATE hgl_test_support)
    target_include_directories(bench_extras PRIVATE ${CMAKE_SOURCE_DIR}/tests)
  endif()
endfunction()
cmake_language(DEFER DIRECTORY ${CMAKE_SOURCE_DIR} CALL hgl_screens_extras_bench_late_links)
