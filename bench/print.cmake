# Benchmarks of printing a verb page (PrintPage at 600 dpi: target median
# 20 ms; the print command to a finished PDF: target median 300 ms).
find_package(Qt6 QUIET COMPONENTS Widgets PrintSupport)
if(TARGET plimo_frame AND TARGET French AND TARGET Qt6::PrintSupport)
    add_executable(bench-print ${CMAKE_CURRENT_LIST_DIR}/app/PrintBench.cpp)
    target_link_libraries(bench-print PRIVATE plimo_frame benchmark::benchmark)
    add_dependencies(bench-print French)
endif()
