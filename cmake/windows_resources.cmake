# Every program and DLL for Windows carries a version resource (product name,
# its own description, the project's version) and an application manifest
# (asInvoker, the supported Windows versions). The common-controls manifest
# entry is left out: the window keeps the classic look of its controls.
set(QUORBEL_MANIFEST ${CMAKE_CURRENT_LIST_DIR}/quorbel.manifest)

function(quorbel_windows_resources target description)
  if(NOT WIN32)
    return()
  endif()
  get_target_property(kind ${target} TYPE)
  if(kind STREQUAL "SHARED_LIBRARY")
    set(FILE_TYPE "0x2L") # VFT_DLL
    set(MANIFEST_ID 2)    # ISOLATIONAWARE_MANIFEST_RESOURCE_ID
    set(SUFFIX ".dll")
  else()
    set(FILE_TYPE "0x1L") # VFT_APP
    set(MANIFEST_ID 1)    # CREATEPROCESS_MANIFEST_RESOURCE_ID
    set(SUFFIX ".exe")
  endif()
  get_target_property(name ${target} OUTPUT_NAME)
  if(NOT name)
    set(name ${target})
  endif()
  set(NAME ${name})
  set(FILENAME ${name}${SUFFIX})
  set(DESCRIPTION ${description})
  set(rc ${CMAKE_CURRENT_BINARY_DIR}/${target}_version.rc)
  configure_file(${PROJECT_SOURCE_DIR}/cmake/version.rc.in ${rc} @ONLY)
  enable_language(RC)
  target_sources(${target} PRIVATE ${rc})
  set_source_files_properties(${rc} PROPERTIES OBJECT_DEPENDS ${QUORBEL_MANIFEST})
endfunction()
