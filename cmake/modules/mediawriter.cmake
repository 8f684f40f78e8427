# Media writer library: tones, WAVE files, Ogg Vorbis sound and Ogg Theora clips made
# in memory, for tests, benchmarks and the demo-content generator.
find_package(PkgConfig REQUIRED)
pkg_check_modules(HGL_MEDIA_ENCODERS REQUIRED IMPORTED_TARGET vorbisenc vorbis theoraenc ogg)

file(GLOB HGL_MEDIAWRITER_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tools/mediawriter/*.cpp)
add_library(hgl_mediawriter STATIC ${HGL_MEDIAWRITER_SOURCES})
target_include_directories(hgl_mediawriter PUBLIC ${CMAKE_SOURCE_DIR}/tools)
target_link_libraries(hgl_mediawriter PUBLIC PkgConfig::HGL_MEDIA_ENCODERS m)
