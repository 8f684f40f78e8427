# The choice menu's tests run the in-game screen through the stage harness; they
# can write what they draw as PNG pictures.
function(hgl_test_extra_game_stage_choice target)
  hgl_test_extra_game_stage_back(${target})
  target_link_libraries(${target} PRIVATE hgl_pngfile)
endfunction()
