# Compile settings shared by every target of the project.
add_library(vakrel_common INTERFACE)
target_compile_features(vakrel_common INTERFACE cxx_std_20)
target_compile_options(vakrel_common INTERFACE -Wall -Wextra)
option(VAKREL_WERROR "Treat compiler warnings as errors" ON)
if(VAKREL_WERROR)
  target_compile_options(vakrel_common INTERFACE -Werror)
endif()
