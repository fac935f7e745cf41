# Compile settings shared by every target of the project.
add_library(vakrel_common INTERFACE)
target_compile_features(vakrel_common INTERFACE cxx_std_20)
target_compile_options(vakrel_common INTERFACE -Wall -Wextra)
# Warnings are errors where the project's own scripts build (they pass -DVAKREL_WERROR=ON); a
# plain configure leaves them warnings, so that another compiler's new warning breaks no build.
option(VAKREL_WERROR "Treat compiler warnings as errors" OFF)
if(VAKREL_WERROR)
  target_compile_options(vakrel_common INTERFACE -Werror)
endif()
