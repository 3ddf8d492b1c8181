# The Windows program as a player downloads it: one folder with bellrun.exe, the DLLs of the
# libraries it uses (the C and C++ runtimes are linked in), data/, the licences and a short
# README, packed by CPack as a zip.

# Every program in one folder with the DLLs, so the build folder runs as the unpacked zip does
# (the tests run there under Wine).
set(CMAKE_RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR})
set(BELLRUN_DLL_TARGETS SDL2::SDL2 SDL2_mixer::SDL2_mixer SDL2_ttf::SDL2_ttf GLEW::GLEW)
foreach(dll ${BELLRUN_DLL_TARGETS})
  add_custom_command(TARGET bellrun POST_BUILD
    COMMAND ${CMAKE_COMMAND} -E copy_if_different $<TARGET_FILE:${dll}> ${CMAKE_BINARY_DIR})
endforeach()

install(TARGETS bellrun RUNTIME DESTINATION .)
install(IMPORTED_RUNTIME_ARTIFACTS ${BELLRUN_DLL_TARGETS} RUNTIME DESTINATION .)
install(DIRECTORY ${CMAKE_SOURCE_DIR}/data/ DESTINATION data)
install(FILES ${CMAKE_SOURCE_DIR}/tools/windows/README.txt DESTINATION .)
if(EXISTS ${CMAKE_SOURCE_DIR}/LICENSE)
  install(FILES ${CMAKE_SOURCE_DIR}/LICENSE DESTINATION licenses RENAME Bellrun.txt)
endif()
# The libraries' licences, gathered by tools/windows/build.sh (a vcpkg build has them in its
# share/<port>/copyright files).
set(BELLRUN_WINDOWS_LICENSES "" CACHE PATH "Folder of the bundled libraries' licence files")
if(BELLRUN_WINDOWS_LICENSES)
  install(DIRECTORY ${BELLRUN_WINDOWS_LICENSES}/ DESTINATION licenses)
endif()
install(DIRECTORY ${CMAKE_SOURCE_DIR}/data/Fonts/licenses/ DESTINATION licenses/fonts)

set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_NAME Bellrun)
set(CPACK_PACKAGE_VENDOR Corvane)
set(CPACK_SYSTEM_NAME win64)
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY ON)
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR})
include(CPack)
