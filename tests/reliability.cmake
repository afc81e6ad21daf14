# The reliability checks over the normal tests: the fuzz programs (and their
# replay in the test suite) and the memory soak's local pages.
add_subdirectory(${CMAKE_SOURCE_DIR}/tests/fuzz)
if(TARGET bench_soak)
  # The soak serves its pages itself, with the tests' local web server.
  target_link_libraries(bench_soak PRIVATE vorlan_test_support)
endif()
