# -Wall -Wextra everywhere; warnings are errors in debug builds.
function(rotam_set_warnings target)
    target_compile_options(${target} PRIVATE -Wall -Wextra $<$<CONFIG:Debug>:-Werror>)
endfunction()
