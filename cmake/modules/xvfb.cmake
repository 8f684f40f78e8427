# The real-window smoke test runs once more under a private X server.
function(hgl_test_extra_xvfb target)
  add_test(NAME xvfb.GlfwSmoke
    COMMAND ${CMAKE_SOURCE_DIR}/tests/xvfb/run-under-xvfb.sh $<TARGET_FILE:${target}>
    WORKING_DIRECTORY ${CMAKE_BINARY_DIR})
  set_tests_properties(xvfb.GlfwSmoke PROPERTIES SKIP_RETURN_CODE 77 LABELS xvfb)
endfunction()
