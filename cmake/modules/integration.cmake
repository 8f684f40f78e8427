# End-to-end tests: archives are built with the HAC-3 writer, and the compressed
# entries are read through the build's compression plug-ins.
function(hgl_test_extra_integration target)
  target_link_libraries(${target} PRIVATE hgl_hacwriter)
  if(TARGET plugin_Compress_Zip)
    add_dependencies(${target} plugin_Compress_Zip)
  endif()
  target_compile_definitions(${target} PRIVATE HGL_INTEGRATION_PLUGIN_DIR="${CMAKE_BINARY_DIR}/Plug-Ins")
endfunction()
