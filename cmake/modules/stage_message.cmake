# The message window's tests run the in-game screen through the stage harness.
function(hgl_test_extra_game_stage_message target)
  hgl_test_extra_game_stage_back(${target})
endfunction()

# The message benchmark draws on the headless canvas of the test support.
function(hgl_stage_message_bench_late_links)
  if(TARGET bench_stage_message)
    target_link_libraries(bench_stage_message PRIVATE hgl_test_support)
  endif()
endfunction()
cmake_language(DEFER DIRECTORY ${CMAKE_SOURCE_DIR} CALL hgl_stage_message_bench_late_links)
