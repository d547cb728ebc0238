# Windows DLLs the programs load when they first call into them rather than
# at their start: the file and folder dialogs, the shell, COM and Media
# Foundation are not needed for the first window. Each becomes an import library of delayed
# imports, made by dlltool from the list of the functions the programs call
# (cmake/delayload/NAME.def); link `delay_NAME` in place of `NAME`.
if(NOT WIN32)
  return()
endif()
find_program(QUORBEL_DLLTOOL NAMES ${MINGW_TRIPLE}-dlltool REQUIRED)
foreach(dll comdlg32 shell32 ole32 mfplat)
  set(def ${CMAKE_CURRENT_LIST_DIR}/delayload/${dll}.def)
  set(lib ${CMAKE_BINARY_DIR}/delayload/lib${dll}_delay.a)
  add_custom_command(OUTPUT ${lib}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/delayload
    COMMAND ${QUORBEL_DLLTOOL} --input-def ${def} --output-delaylib ${lib} --dllname ${dll}.dll
    DEPENDS ${def}
    VERBATIM)
  add_custom_target(delay_${dll}_lib DEPENDS ${lib})
  add_library(delay_${dll} INTERFACE)
  target_link_libraries(delay_${dll} INTERFACE ${lib})
  add_dependencies(delay_${dll} delay_${dll}_lib)
endforeach()
