# Benchmarks of the language module binding and plimo-conj: loading a module
# with a 2,000-line definitions file (target: 10 ms) and conjugating the
# whole database with plimo-conj --all (target: 0.5 s wall).
if(TARGET plimo_conj_lib AND TARGET French)
    add_executable(binding-bench ${CMAKE_CURRENT_LIST_DIR}/binding/BindingBench.cpp)
    target_link_libraries(binding-bench PRIVATE plimo_conj_lib benchmark::benchmark)
    add_dependencies(binding-bench French plimo-conj)
endif()
