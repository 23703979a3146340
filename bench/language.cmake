# Speed of the language module: conjugation, search and loading.
if(TARGET french_test_support)
    add_executable(bench-language ${CMAKE_CURRENT_LIST_DIR}/LanguageBench.cpp)
    target_link_libraries(bench-language PRIVATE french_test_support benchmark::benchmark)
    add_executable(bench-language-load ${CMAKE_CURRENT_LIST_DIR}/LanguageLoadBench.cpp)
    target_link_libraries(bench-language-load PRIVATE plimo_platform plimo_language_abi benchmark::benchmark)
    target_compile_definitions(bench-language-load PRIVATE FRENCH_MODULE_PATH="$<TARGET_FILE:French>")
    add_dependencies(bench-language-load French)
endif()
