# The extras screens' tests run on the stage harness over the demo content.
function(hgl_test_extra_game_screens_extras target)
  hgl_test_extra_game_core(${target})
endfunction()
# Their checkpoints are written as PNG pictures.
function(hgl_screens_extras_late_links)
  if(TARGET test_game_screens_extras)
    target_link_libraries(test_game_screens_extras PRIVATE hgl_pngfile)
  endif()
endfunction()
cmake_language(DEFER DIRECTORY ${CMAKE_SOURCE_DIR} CALL hgl_screens_extras_late_links)
