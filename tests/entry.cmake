# The entry tests start the real executable.
add_dependencies(entry_test quorvane)
# The rebuild test steps its keys from SDL_Delay.
target_link_options(entry_test PRIVATE -Wl,--wrap=SDL_Delay)
