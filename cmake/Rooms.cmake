# bellrun_room(<name>): the sources of one top-level folder (BELLRUN_ROOM_SOURCES) and an include
# root that shows that folder and the engine, and nothing else (BELLRUN_ROOM_INCLUDE).
#
# The root is a folder in the build tree holding a link named after the room. A library's
# public include roots pass on to whatever links it, so the game sees engine/ and game/, the
# editor engine/ and editor/, and only the program (which links all three) sees everything.
# Where links cannot be made (Windows without the privilege) the source tree itself is the root:
# the build still works and tests/EngineLayering.sh still guards the rule.
function(bellrun_room name)
  file(GLOB_RECURSE sources CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/${name}/*.cpp)
  set(root ${CMAKE_BINARY_DIR}/rooms/${name})
  file(MAKE_DIRECTORY ${root})
  if(NOT IS_DIRECTORY ${root}/${name})
    file(CREATE_LINK ${CMAKE_SOURCE_DIR}/${name} ${root}/${name} SYMBOLIC RESULT failed)
    if(failed)
      message(STATUS "rooms: no link for ${name}/ (${failed}); the source tree is its include root")
      set(root ${CMAKE_SOURCE_DIR})
    endif()
  endif()
  set(BELLRUN_ROOM_SOURCES ${sources} PARENT_SCOPE)
  set(BELLRUN_ROOM_INCLUDE ${root} PARENT_SCOPE)
endfunction()
