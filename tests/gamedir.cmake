# The save tests can refuse folder exchanges, as some file systems do: renameat2 is wrapped.
if(TARGET gamedir_test)
  target_link_options(gamedir_test PRIVATE -Wl,--wrap=renameat2)
endif()
