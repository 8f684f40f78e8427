# The title's and the extras' screens run on the stage harness with the demo
# content; the logo and the gallery play real movies through the decoder plug-ins.
function(hgl_test_extra_game_screens_title target)
  hgl_test_extra_game_core(${target})
  hgl_media_user(${target})
endfunction()

function(hgl_test_extra_game_screens_extras target)
  hgl_test_extra_game_core(${target})
  hgl_media_user(${target})
endfunction()
