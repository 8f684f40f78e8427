# The screens' tests run on the screen harness: the demo content (pictures
# compressed through the "Zip" plug-in) and PNG checkpoints in the build tree.
function(hgl_screen_test target)
  hgl_test_extra_game_core(${target})
  target_link_libraries(${target} PRIVATE hgl_pngfile)
  target_compile_definitions(${target} PRIVATE HGL_CHECKPOINT_DIR="${CMAKE_BINARY_DIR}/checkpoints")
endfunction()

function(hgl_test_extra_game_screens_widgets target)
  hgl_screen_test(${target})
endfunction()

function(hgl_test_extra_game_screens_stage target)
  hgl_screen_test(${target})
endfunction()

# The backlog benchmark builds its pages on the headless canvas of the test support.
function(hgl_screens_bench_late_links)
  if(TARGET bench_backlog)
    target_link_libraries(bench_backlog PRIVATE hgl_test_support hgl_demo)
    hgl_plugin_user(bench_backlog)
  endif()
endfunction()
cmake_language(DEFER DIRECTORY ${CMAKE_SOURCE_DIR} CALL hgl_screens_bench_late_links)

# The soak plays the whole game on a headless canvas with the demo content.
function(hgl_screens_soak_late_links)
  foreach(t fuzz_replay_screens_soak fuzz_screens_soak)
    if(TARGET ${t})
      target_link_libraries(${t} PRIVATE hgl_test_support hgl_demo)
      hgl_plugin_user(${t})
    endif()
  endforeach()
  if(TEST fuzz_replay.screens_soak)
    set_tests_properties(fuzz_replay.screens_soak PROPERTIES
      ENVIRONMENT "LIBGL_ALWAYS_SOFTWARE=1;ALSOFT_DRIVERS=null" TIMEOUT 900)
  endif()
endfunction()
cmake_language(DEFER DIRECTORY ${CMAKE_SOURCE_DIR} CALL hgl_screens_soak_late_links)

# The title and game benchmarks run on the headless canvas with the demo content.
function(hgl_screens_game_bench_late_links)
  foreach(t bench_title_frame bench_game_run)
    if(TARGET ${t})
      target_link_libraries(${t} PRIVATE hgl_test_support hgl_demo)
      hgl_plugin_user(${t})
      target_compile_definitions(${t} PRIVATE HGL_SOURCE_DIR="${CMAKE_SOURCE_DIR}")
    endif()
  endforeach()
endfunction()
cmake_language(DEFER DIRECTORY ${CMAKE_SOURCE_DIR} CALL hgl_screens_game_bench_late_links)
