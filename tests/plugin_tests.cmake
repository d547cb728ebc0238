# The plug-in's tests, in every tree: natively, in the 64-bit Windows tree
# and in the 32-bit one (build-win/i686), which 32-bit players load.
quorbel_test(plugin_dsp_tests
  SOURCES plugin_gain_test.cpp plugin_reference_test.cpp plugin_effects_test.cpp
          plugin_dialog_test.cpp
  LIBS levo_dsp)
quorbel_test(profile_text_tests SOURCES profile_text_test.cpp LIBS levo_profile)
if(NOT WIN32)
  # Block processing and the dialog on two threads (run under ThreadSanitizer
  # in the build-tsan tree).
  find_package(Threads REQUIRED)
  quorbel_test(plugin_thread_tests SOURCES plugin_thread_test.cpp LIBS levo_dsp Threads::Threads)
endif()
if(WIN32)
  quorbel_test(profile_kernel32_tests SOURCES profile_kernel32_test_win32.cpp
               LIBS levo_profile quorbel_platform)
endif()
if(WIN32)
  set(library_loader library_loader_win32.cpp)
else()
  set(library_loader library_loader_posix.cpp)
endif()
quorbel_test(plugin_abi_tests SOURCES plugin_abi_test.cpp ${library_loader}
             LIBS quorbel_platform ${CMAKE_DL_LIBS})
add_dependencies(plugin_abi_tests dsp_levo)

# The 3DNow! path on an emulated processor that has it.
find_program(QEMU_X86_64 qemu-x86_64)
if(NOT WIN32 AND QEMU_X86_64 AND CMAKE_SYSTEM_PROCESSOR STREQUAL "x86_64" AND NOT QUORBEL_SANITIZE)
  add_test(NAME plugin_dsp_3dnow
           COMMAND ${QEMU_X86_64} -cpu phenom $<TARGET_FILE:plugin_dsp_tests> --gtest_brief=1
                   --gtest_filter=-GainStage.*)
  set_tests_properties(plugin_dsp_3dnow PROPERTIES ENVIRONMENT LEVO_REQUIRE_3DNOW=1)
endif()

# The same signals through every build of the plug-in (plugin_outputs_test.sh).
add_executable(plugin_output stubs/plugin_output.cpp ${library_loader})
target_include_directories(plugin_output PRIVATE ${PROJECT_SOURCE_DIR} ${CMAKE_CURRENT_SOURCE_DIR})
target_link_libraries(plugin_output PRIVATE ${CMAKE_DL_LIBS})
set_target_properties(plugin_output PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin/stubs)
quorbel_warnings(plugin_output)
add_dependencies(plugin_output dsp_levo)

if(WIN32 AND CMAKE_SIZEOF_VOID_P EQUAL 8)
  add_test(NAME plugin_exports
           COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/plugin_exports_test.sh x86-64 $<TARGET_FILE:dsp_levo>
                   i386 ${CMAKE_BINARY_DIR}/i686/bin/dsp_levo.dll)
endif()

if(WIN32)
  quorbel_test(plugin_dialog_win32_tests SOURCES plugin_dialog_test_win32.cpp library_loader_win32.cpp
               LIBS quorbel_platform)
  add_dependencies(plugin_dialog_win32_tests dsp_levo)
  # A stand-in host for looking at the dialog (scripts/dialog-screenshot.sh).
  add_executable(dialog_preview stubs/dialog_preview_win32.cpp library_loader_win32.cpp)
  target_include_directories(dialog_preview PRIVATE ${PROJECT_SOURCE_DIR} ${CMAKE_CURRENT_SOURCE_DIR})
  set_target_properties(dialog_preview PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin/stubs)
  quorbel_warnings(dialog_preview)
endif()

