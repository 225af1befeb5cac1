# The entry tests start the real executable.
add_dependencies(entry_test quorvane)
