# The third-party libraries, found by their CMake package configs first (vcpkg, the Windows
# library prefix of tools/windows/build.sh, Debian's own configs) and by pkg-config where a
# config is missing. Whichever finds it, the game links the same names: SDL2::SDL2,
# SDL2_mixer::SDL2_mixer, SDL2_ttf::SDL2_ttf, GLEW::GLEW, imgui::imgui.

find_package(OpenGL REQUIRED)
find_package(PkgConfig QUIET)

# Gives `target` from `package`'s config or, failing that, from pkg-config's `module`.
function(bellrun_dependency target package module)
  find_package(${package} CONFIG QUIET)
  if(TARGET ${target})
    message(STATUS "${target}: ${package} package config")
    return()
  endif()
  if(NOT PkgConfig_FOUND)
    message(FATAL_ERROR "${target}: no ${package} package config and no pkg-config to find ${module}")
  endif()
  string(MAKE_C_IDENTIFIER "bellrun_${module}" var)
  pkg_check_modules(${var} REQUIRED IMPORTED_TARGET GLOBAL ${module})
  add_library(${target} ALIAS PkgConfig::${var})
  message(STATUS "${target}: pkg-config ${module}")
endfunction()

bellrun_dependency(SDL2::SDL2 SDL2 sdl2)
bellrun_dependency(SDL2_mixer::SDL2_mixer SDL2_mixer SDL2_mixer)
bellrun_dependency(SDL2_ttf::SDL2_ttf SDL2_ttf SDL2_ttf)
# GLEW's own config and CMake's FindGLEW module both name it GLEW::GLEW.
find_package(GLEW QUIET)
if(NOT TARGET GLEW::GLEW)
  bellrun_dependency(GLEW::GLEW GLEW glew)
endif()

# Dear ImGui: a package config with the SDL2 and OpenGL 3 back ends compiled in (vcpkg's port
# with its sdl2-binding and opengl3-binding features, or the Windows prefix); on Debian the
# library from pkg-config and the back-end sources that ship with libimgui-dev.
find_package(imgui CONFIG QUIET)
if(NOT TARGET imgui::imgui)
  pkg_check_modules(bellrun_imgui REQUIRED IMPORTED_TARGET imgui)
  pkg_get_variable(IMGUI_PREFIX imgui prefix)
  pkg_get_variable(IMGUI_INCLUDEDIR imgui includedir)
  find_path(IMGUI_BACKENDS imgui_impl_sdl.cpp REQUIRED
    PATHS ${IMGUI_PREFIX}/share/doc/libimgui-dev/examples/backends NO_DEFAULT_PATH)
  add_library(bellrun_imgui_backends STATIC
    ${IMGUI_BACKENDS}/imgui_impl_sdl.cpp ${IMGUI_BACKENDS}/imgui_impl_opengl3.cpp)
  target_include_directories(bellrun_imgui_backends PUBLIC ${IMGUI_INCLUDEDIR}/backends)
  target_link_libraries(bellrun_imgui_backends PUBLIC PkgConfig::bellrun_imgui SDL2::SDL2
                                                      OpenGL::GL)
  add_library(imgui::imgui ALIAS bellrun_imgui_backends)
endif()

# Header-only libraries.
find_path(RAPIDJSON_INCLUDE rapidjson/document.h REQUIRED)
find_path(GLM_INCLUDE glm/glm.hpp REQUIRED)
find_path(STB_INCLUDE stb_image.h PATH_SUFFIXES stb REQUIRED)
# The tools name their stb headers with the folder (<stb/stb_image.h>).
get_filename_component(STB_PARENT_INCLUDE ${STB_INCLUDE} DIRECTORY)
