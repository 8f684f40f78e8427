# The extras screens' tests run on the screen harness.
function(hgl_test_extra_game_screens_extras target)
  hgl_screen_test(${target})
endfunction()
