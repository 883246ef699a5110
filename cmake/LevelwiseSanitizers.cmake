# AddressSanitizer and UndefinedBehaviorSanitizer for the sanitized twins of the test programs.
function(levelwise_sanitize target)
    set(flags -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
    target_compile_options(${target} PRIVATE ${flags})
    target_link_options(${target} PRIVATE ${flags})
endfunction()
