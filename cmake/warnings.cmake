# Warnings are the same on both compilers; CI turns them into errors.
function(quorbel_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra)
  if(QUORBEL_WERROR)
    target_compile_options(${target} PRIVATE -Werror)
  endif()
endfunction()
