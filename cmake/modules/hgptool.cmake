# The picture tool: TEX and HGP files from PNG pictures, and their listing. The PNG
# reader is a small library of its own so that tests can make and read PNG files.
find_package(PNG REQUIRED)

add_library(hgl_pngfile STATIC ${CMAKE_SOURCE_DIR}/tools/hgptool/PngFile.cpp)
target_include_directories(hgl_pngfile PUBLIC ${CMAKE_SOURCE_DIR} ${CMAKE_SOURCE_DIR}/engine)
target_link_libraries(hgl_pngfile PUBLIC PNG::PNG hgl_graphics)

add_executable(hgptool ${CMAKE_SOURCE_DIR}/tools/hgptool/hgptool.cpp)
target_link_libraries(hgptool PRIVATE hgl_pngfile)
hgl_link_engine(hgptool)

function(hgl_test_extra_tools_hgptool target)
  hgl_plugin_user(${target})
  target_link_libraries(${target} PRIVATE hgl_pngfile)
  add_dependencies(${target} hgptool hacpack)
  target_compile_definitions(${target} PRIVATE HGL_HGPTOOL_EXE="$<TARGET_FILE:hgptool>"
                             HGL_HACPACK_EXE="$<TARGET_FILE:hacpack>")
endfunction()

# The picture benchmark packs its pictures into a real archive and draws on the
# headless canvas of the test support.
function(hgl_pictures_late_links)
  if(TARGET bench_pictures)
    target_link_libraries(bench_pictures PRIVATE hgl_hacwriter hgl_test_support)
  endif()
endfunction()
cmake_language(DEFER DIRECTORY ${CMAKE_SOURCE_DIR} CALL hgl_pictures_late_links)
