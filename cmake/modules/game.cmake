# The game's tests: the core's tests build their start folders from the demo
# content, whose pictures are compressed through the "Zip" plug-in.
function(hgl_test_extra_game_core target)
  target_link_libraries(${target} PRIVATE hgl_demo)
  hgl_plugin_user(${target})
endfunction()

# The game's sound services are heard through the audio tests' wave-file kit.
function(hgl_test_extra_game_audio target)
  target_sources(${target} PRIVATE ${CMAKE_SOURCE_DIR}/tests/sonvex/AudioTestKit.cpp)
  target_include_directories(${target} PRIVATE ${CMAKE_SOURCE_DIR}/tests/sonvex)
  hgl_media_user(${target})
endfunction()

# The in-game screen's tests play the demo story.
function(hgl_test_extra_game_unit target)
  hgl_test_extra_game_core(${target})
endfunction()

# The start-up runs on the demo content.
function(hgl_test_extra_game_main target)
  target_link_libraries(${target} PRIVATE hgl_demo)
  hgl_plugin_user(${target})
endfunction()

# The game's executable; it finds the decoder and compression plug-ins in the
# "Plug-Ins" folder beside it.
add_executable(game ${CMAKE_SOURCE_DIR}/game/main.cpp)
hgl_link_engine(game)
function(hgl_game_late_links)
  add_dependencies(game ${HGL_PLUGIN_TARGETS})
endfunction()
cmake_language(DEFER DIRECTORY ${CMAKE_SOURCE_DIR} CALL hgl_game_late_links)

# The tour tests play the shipped tours through the game's main.
# The whole-game tour is heard through the audio tests' wave-file kit.
function(hgl_test_extra_game_tour target)
  hgl_test_extra_game_core(${target})
  target_compile_definitions(${target} PRIVATE HGL_SOURCE_DIR="${CMAKE_SOURCE_DIR}")
  hgl_test_extra_game_audio(${target})
endfunction()

# The stage's widgets draw the demo's pictures.
function(hgl_test_extra_game_stage_widgets target)
  hgl_test_extra_game_core(${target})
endfunction()

# The stage's tests run the in-game screen through the stage harness.
function(hgl_test_extra_game_stage_back target)
  hgl_test_extra_game_core(${target})
endfunction()

# The background benchmark draws on the headless canvas of the test support.
function(hgl_stage_bench_late_links)
  if(TARGET bench_stage_back)
    target_link_libraries(bench_stage_back PRIVATE hgl_test_support)
  endif()
endfunction()
cmake_language(DEFER DIRECTORY ${CMAKE_SOURCE_DIR} CALL hgl_stage_bench_late_links)
