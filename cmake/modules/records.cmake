# The save, load and options screens' tests run on the screen harness.
function(hgl_test_extra_game_screens_record target)
  hgl_screen_test(${target})
endfunction()

function(hgl_test_extra_game_screens_menu target)
  hgl_screen_test(${target})
endfunction()

# The save screen's benchmark opens it over the demo's pictures, whose blocks need
# the compression plug-ins.
function(hgl_records_bench_late_links)
  if(TARGET bench_record_screens)
    target_link_libraries(bench_record_screens PRIVATE hgl_demo ${CMAKE_DL_LIBS})
    hgl_plugin_user(bench_record_screens)
  endif()
endfunction()
cmake_language(DEFER DIRECTORY ${CMAKE_SOURCE_DIR} CALL hgl_records_bench_late_links)
