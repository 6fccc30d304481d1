# Fails when a file of the music player's core (everything in audio/player/ but the output) includes
# a platform header or the output's: the core must build, run and be fuzzed with no device.
# Run with -DPLAYER=<audio/player folder>.
file(GLOB sources LIST_DIRECTORIES false ${PLAYER}/*.h ${PLAYER}/*.cpp)
list(REMOVE_ITEM sources ${PLAYER}/Output.h ${PLAYER}/Output.cpp ${PLAYER}/OutputBlocks.h
     ${PLAYER}/OutputBlocks.cpp)
set(offenders "")
foreach(source ${sources})
  file(STRINGS ${source} lines REGEX "#[ \t]*include[ \t]*[<\"](platform/|audio/player/Output)")
  if(lines)
    list(APPEND offenders ${source})
  endif()
endforeach()
if(offenders)
  list(JOIN offenders "\n  " listing)
  message(FATAL_ERROR "The player's core includes the platform or the output:\n  ${listing}")
endif()
