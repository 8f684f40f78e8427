# Audio and movie decoder plug-ins, and what the audio and movie tests need.
find_package(PkgConfig REQUIRED)
pkg_check_modules(HGL_VORBISFILE REQUIRED IMPORTED_TARGET vorbisfile)
pkg_check_modules(HGL_THEORADEC REQUIRED IMPORTED_TARGET theoradec ogg)

set(_pd ${CMAKE_SOURCE_DIR}/plugins)
hgl_plugin(Audio.Wav ${_pd}/audio/Wav.cpp)
hgl_plugin(Audio.VorbisOGG ${_pd}/audio/VorbisOGG.cpp LIBS PkgConfig::HGL_VORBISFILE)
hgl_plugin(Movie.Theora ${_pd}/movie/Theora.cpp LIBS PkgConfig::HGL_THEORADEC)
# The colour conversion is written to be vectorised.
target_compile_options(plugin_Movie_Theora PRIVATE -O3)
foreach(t plugin_Audio_Wav plugin_Audio_VorbisOGG plugin_Movie_Theora)
  target_include_directories(${t} PRIVATE ${_pd})
endforeach()

# Programs that decode sound or movies: the media writer makes their input, and the
# plug-ins are found in the build's folder.
function(hgl_media_user target)
  if(TARGET ${target})
    target_link_libraries(${target} PRIVATE hgl_mediawriter)
    hgl_plugin_user(${target})
  endif()
endfunction()

function(hgl_test_extra_sonvex target)
  hgl_media_user(${target})
endfunction()

function(hgl_test_extra_movie target)
  hgl_media_user(${target})
endfunction()

function(hgl_media_users_late)
  foreach(t bench_audio_player bench_theora_frame fuzz_replay_audio_wav fuzz_replay_audio_vorbis
            fuzz_replay_movie_theora fuzz_audio_wav fuzz_audio_vorbis fuzz_movie_theora)
    hgl_media_user(${t})
  endforeach()
endfunction()
cmake_language(DEFER DIRECTORY ${CMAKE_SOURCE_DIR} CALL hgl_media_users_late)
