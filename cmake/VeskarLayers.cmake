# The layers, lowest first: platform, audio, game, settings, shell, screens, program; tools apart.
# Each library publishes an include folder of its own, holding only its own sources under their
# paths from the top ("game/Player.h"), so that a library sees the headers of what it links and
# nothing else: a header of a higher layer included from a lower one does not build. Every library
# is recorded with its layer, and the build writes the graph of their links for the layer test.

# The rank of each layer; a library links only libraries of lower ranks.
set(VESKAR_LAYER_RANKS
  platform_api=10 platform=11 platform_backend=12 launcher=13 entry=14 resources=15
  player=20 audio=21
  game=30 settings=40 shell=50 screens=60 program=70 tools=100)

# veskar_library(TARGET LAYER PATHS...): records the library's layer and gives it an include folder
# in the build tree holding links to the given paths (folders or files, relative to the top).
function(veskar_library target layer)
  set(root ${CMAKE_BINARY_DIR}/include/${target})
  foreach(path ${ARGN})
    get_filename_component(parent ${root}/${path} DIRECTORY)
    file(MAKE_DIRECTORY ${parent})
    file(REMOVE ${root}/${path})
    file(CREATE_LINK ${CMAKE_SOURCE_DIR}/${path} ${root}/${path} SYMBOLIC)
  endforeach()
  get_target_property(type ${target} TYPE)
  if(type STREQUAL "INTERFACE_LIBRARY")
    target_include_directories(${target} INTERFACE ${root})
  else()
    target_include_directories(${target} PUBLIC ${root})
  endif()
  set_property(GLOBAL APPEND PROPERTY VESKAR_LIBRARIES ${target})
  set_property(GLOBAL PROPERTY VESKAR_LAYER_OF_${target} ${layer})
endfunction()

# Writes layer-graph.txt into the build tree: one line per library, "target layer rank: links...",
# where links are the targets and libraries it names in its link interface and link libraries.
function(veskar_write_layer_graph)
  get_property(libraries GLOBAL PROPERTY VESKAR_LIBRARIES)
  set(text "")
  foreach(target ${libraries})
    get_property(layer GLOBAL PROPERTY VESKAR_LAYER_OF_${target})
    set(rank "")
    foreach(entry ${VESKAR_LAYER_RANKS})
      if(entry MATCHES "^${layer}=([0-9]+)$")
        set(rank ${CMAKE_MATCH_1})
      endif()
    endforeach()
    if(rank STREQUAL "")
      message(FATAL_ERROR "${target}: no layer named ${layer}")
    endif()
    get_target_property(type ${target} TYPE)
    set(links "")
    if(NOT type STREQUAL "INTERFACE_LIBRARY")
      get_target_property(direct ${target} LINK_LIBRARIES)
      if(direct)
        list(APPEND links ${direct})
      endif()
    endif()
    get_target_property(interface ${target} INTERFACE_LINK_LIBRARIES)
    if(interface)
      list(APPEND links ${interface})
    endif()
    list(REMOVE_DUPLICATES links)
    list(JOIN links " " joined)
    string(APPEND text "${target} ${layer} ${rank}: ${joined}\n")
  endforeach()
  file(WRITE ${CMAKE_BINARY_DIR}/layer-graph.txt "${text}")
endfunction()

# The tests include their helpers by their path from the top ("tests/support/ScratchFolder.h"): one
# include folder holding the tests, for every target of the directory that calls this.
function(veskar_test_includes)
  set(root ${CMAKE_BINARY_DIR}/include/tests)
  file(MAKE_DIRECTORY ${root})
  file(REMOVE ${root}/tests)
  file(CREATE_LINK ${CMAKE_SOURCE_DIR}/tests ${root}/tests SYMBOLIC)
  include_directories(${root})
endfunction()
