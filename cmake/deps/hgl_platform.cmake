# The window backends: GLFW for a real window, EGL (Mesa) for a headless GL surface,
# with GLEW and GLU over the legacy OpenGL library.
find_package(PkgConfig REQUIRED)
pkg_check_modules(HGL_WINDOW_LIBS REQUIRED IMPORTED_TARGET glfw3 egl gl glew glu)

function(hgl_deps_hgl_platform target)
  target_link_libraries(${target} PUBLIC PkgConfig::HGL_WINDOW_LIBS)
endfunction()
