# Fails when a source outside platform/ includes an SDL header or calls SDL: only the platform
# layer may know the library the game runs on. Run with -DTOP=<repository top>.
file(GLOB_RECURSE sources LIST_DIRECTORIES false
  ${TOP}/shell/*.h ${TOP}/shell/*.cpp ${TOP}/game/*.h ${TOP}/game/*.cpp
  ${TOP}/frontend/*.h ${TOP}/frontend/*.cpp ${TOP}/audio/*.h ${TOP}/audio/*.cpp
  ${TOP}/tools/*.h ${TOP}/tools/*.cpp)
set(offenders "")
foreach(source ${sources})
  file(STRINGS ${source} lines REGEX "#[ \t]*include[ \t]*[<\"]SDL|[^A-Za-z_]SDL_[A-Za-z]+[ \t]*\\(")
  if(lines)
    list(APPEND offenders ${source})
  endif()
endforeach()
if(offenders)
  list(JOIN offenders "\n  " listing)
  message(FATAL_ERROR "SDL used outside platform/:\n  ${listing}")
endif()
