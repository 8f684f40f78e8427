# The real-window smoke test runs once more under a private X server.
function(hgl_test_extra_xvfb target)
  add_test(NAME xvfb.GlfwSmoke
    COMMAND ${CMAKE_SOURCE_DIR}/tests/xvfb/run-under-xvfb.sh $<TARGET_FILE:${target}>
    WORKING_DIRECTORY ${CMAKE_BINARY_DIR})
  # Silent: the application opens OpenAL, whose ALSA back end, loaded and unloaded
  # again, leaves ALSA's configuration behind in a library LeakSanitizer can no
  # longer name (so no suppression can match it). A window needs no sound device.
  set_tests_properties(xvfb.GlfwSmoke PROPERTIES SKIP_RETURN_CODE 77 LABELS xvfb
    ENVIRONMENT "ALSOFT_DRIVERS=null")
endfunction()
