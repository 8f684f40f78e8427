# The demo game generator: a library that makes the demo content (used by the game's
# tests to build a start folder) and the mkdemo command that writes and packs it.
file(GLOB HGL_DEMO_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tools/mkdemo/*.cpp)
list(FILTER HGL_DEMO_SOURCES EXCLUDE REGEX "/mkdemo\\.cpp$")
add_library(hgl_demo STATIC ${HGL_DEMO_SOURCES})
target_link_libraries(hgl_demo PUBLIC hgl_hacwriter hgl_mediawriter)
hgl_link_engine(hgl_demo)

add_executable(mkdemo ${CMAKE_SOURCE_DIR}/tools/mkdemo/mkdemo.cpp)
target_link_libraries(mkdemo PRIVATE hgl_demo)
hgl_link_engine(mkdemo)

# The pictures are compressed through the "Zip" plug-in at run time.
function(hgl_mkdemo_late_links)
  add_dependencies(mkdemo plugin_Compress_Zip)
endfunction()
cmake_language(DEFER DIRECTORY ${CMAKE_SOURCE_DIR} CALL hgl_mkdemo_late_links)
