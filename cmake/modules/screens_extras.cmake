# The title's pieces and the extras run on the screen harness; the logo and the
# gallery play real movies through the decoder plug-ins.
function(hgl_test_extra_game_screens_title target)
  hgl_screen_test(${target})
  hgl_media_user(${target})
endfunction()

function(hgl_test_extra_game_screens_extras target)
  hgl_screen_test(${target})
  hgl_media_user(${target})
endfunction()
