# The extras screens' tests run on the stage harness over the demo content.
function(hgl_test_extra_game_screens_extras target)
  hgl_test_extra_game_core(${target})
endfunction()
