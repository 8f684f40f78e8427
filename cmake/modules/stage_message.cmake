# The message window's tests run the in-game screen through the stage harness.
function(hgl_test_extra_game_stage_message target)
  hgl_test_extra_game_stage_back(${target})
endfunction()
