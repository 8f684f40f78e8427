# The characters' tests run the in-game screen on generated character pictures.
function(hgl_test_extra_game_stage_char target)
  hgl_test_extra_game_core(${target})
endfunction()
