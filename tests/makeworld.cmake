# The shipped-content tests: makeworld_test runs the content builder and compares its output with
# the committed data/ and tutorial/; content_test and balance_test load those directories.
if(TARGET makeworld_test)
  add_dependencies(makeworld_test makeworld)
  target_compile_definitions(makeworld_test PRIVATE MAKEWORLD_PATH="$<TARGET_FILE:makeworld>")
endif()
