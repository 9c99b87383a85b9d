# The fuzz configuration (build/fuzz): the portable libraries built with
# AddressSanitizer, UndefinedBehaviorSanitizer and libFuzzer's coverage
# hooks, and one libFuzzer target per parser under tests/fuzz. The folders
# build nothing by themselves here: only what the targets link is built.
# The library's own checks (an index past a vector's end, an empty
# optional read) count as defects too; -O1 builds fast and fuzzes well.
add_compile_options(-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=undefined -g -O1
  -fno-omit-frame-pointer -D_GLIBCXX_ASSERTIONS -Wno-missing-field-initializers)
add_link_options(-fsanitize=address,undefined)
enable_testing()

foreach(folder common analysis audio airmail radio propagation selection autoconnect reports app tools)
  add_subdirectory(${folder} EXCLUDE_FROM_ALL)
endforeach()
add_subdirectory(tests/fuzz)
