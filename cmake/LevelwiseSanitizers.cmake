# AddressSanitizer and UndefinedBehaviorSanitizer for the sanitized twins of the test programs.
function(levelwise_sanitize target)
    set(flags -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
    # AddressSanitizer checks the C library's calls itself; fortified ones would hide them.
    target_compile_options(${target} PRIVATE ${flags} -U_FORTIFY_SOURCE)
    target_link_options(${target} PRIVATE ${flags})
endfunction()
