# Shared compile settings for every target of the project.
function(mc_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wshadow -Wconversion
                         -Wsign-conversion -Wnon-virtual-dtor -Wold-style-cast)
  if(MC_WERROR)
    target_compile_options(${target} PRIVATE -Werror)
  endif()
endfunction()

if(MC_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=all)
  add_link_options(-fsanitize=address,undefined)
endif()

# A core library must never depend on Qt: the formats and editor models are
# plain C++ so that they can be tested and reused without a window system.
function(mc_core_library target)
  add_library(${target} STATIC ${ARGN})
  target_include_directories(${target} PUBLIC ${PROJECT_SOURCE_DIR}/src)
  mc_warnings(${target})
endfunction()

function(mc_assert_qt_free target)
  get_target_property(libs ${target} LINK_LIBRARIES)
  foreach(lib IN LISTS libs)
    if(lib MATCHES "Qt")
      message(FATAL_ERROR "${target} is a core library and must not link ${lib}")
    endif()
  endforeach()
endfunction()

# The windows of a subsystem: widgets laid out over its core's models.
function(mc_window_library target)
  add_library(${target} STATIC ${ARGN})
  set_target_properties(${target} PROPERTIES AUTOMOC ON)
  target_include_directories(${target} PUBLIC ${PROJECT_SOURCE_DIR}/src)
  mc_warnings(${target})
endfunction()
