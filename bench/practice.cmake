# Benchmarks of practice: opening the window (target: median 100 ms), the
# next question after an answer (10 ms), one answer written (5 ms).
find_package(Qt6 QUIET COMPONENTS Widgets Test)
if(TARGET plimo_practice_window AND TARGET French AND TARGET Qt6::Test)
    add_executable(bench-practice ${CMAKE_CURRENT_LIST_DIR}/practice/PracticeBench.cpp)
    target_link_libraries(bench-practice PRIVATE plimo_practice_window Qt6::Test benchmark::benchmark)
    add_dependencies(bench-practice French)
endif()
