# End-to-end tests: archives are built with the HAC-3 writer, and the compressed
# entries are read through the build's compression plug-ins.
function(hgl_test_extra_integration target)
  target_link_libraries(${target} PRIVATE hgl_hacwriter)
  hgl_plugin_user(${target})
endfunction()
