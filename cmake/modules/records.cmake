# The save, load and options screens' tests run on the screen harness.
function(hgl_test_extra_game_screens_record target)
  hgl_screen_test(${target})
endfunction()

function(hgl_test_extra_game_screens_menu target)
  hgl_screen_test(${target})
endfunction()
