# Benchmarks of the desktop program: start-up to the first painted verb
# window (target: median 400 ms, at most 100 MB resident), and choosing
# another verb until the window has repainted (target: median 5 ms).
find_package(Qt6 QUIET COMPONENTS Widgets)
if(TARGET plimo_frame AND TARGET French AND TARGET Qt6::Widgets)
    add_executable(plimo-startup-probe ${CMAKE_CURRENT_LIST_DIR}/app/StartupProbe.cpp)
    target_link_libraries(plimo-startup-probe PRIVATE plimo_frame)
    add_executable(bench-app ${CMAKE_CURRENT_LIST_DIR}/app/AppBench.cpp)
    target_link_libraries(bench-app PRIVATE plimo_frame benchmark::benchmark)
    add_dependencies(bench-app plimo-startup-probe French)
    # Search: Find end to end, a full pass, sorting, 50 results windows.
    add_executable(bench-search ${CMAKE_CURRENT_LIST_DIR}/app/SearchBench.cpp)
    target_link_libraries(bench-search PRIVATE plimo_frame benchmark::benchmark)
    add_dependencies(bench-search French)
    # Restoring 200 and 2,000 saved verb windows.
    add_executable(bench-restore ${CMAKE_CURRENT_LIST_DIR}/app/RestoreBench.cpp)
    target_link_libraries(bench-restore PRIVATE plimo_frame benchmark::benchmark)
    add_dependencies(bench-restore French)
endif()
