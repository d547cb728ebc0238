# 32-bit Windows: the plug-in for 32-bit players.
set(MINGW_TRIPLE i686-w64-mingw32)
set(CMAKE_SYSTEM_PROCESSOR x86)
# Single-precision arithmetic in SSE registers, rounded as the 64-bit build
# and the .so round it (the x87 unit would keep more precision and give
# other samples). Needs a processor with SSE2, as 32-bit Windows 8 and later
# do.
set(CMAKE_C_FLAGS_INIT "-msse2 -mfpmath=sse")
set(CMAKE_CXX_FLAGS_INIT "-msse2 -mfpmath=sse")
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64-common.cmake)
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../scripts/wine-run)
