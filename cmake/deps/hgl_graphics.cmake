# OpenGL drawing, and fonts found by fontconfig and rendered by FreeType.
find_package(PkgConfig REQUIRED)
pkg_check_modules(HGL_FONT_LIBS REQUIRED IMPORTED_TARGET freetype2 fontconfig)

function(hgl_deps_hgl_graphics target)
  target_link_libraries(${target} PUBLIC PkgConfig::HGL_FONT_LIBS)
endfunction()
