# Benchmarks of the Windows program, run by hand under Wine; not tests. scripts/bench builds and runs
# them with Wine pinned to one CPU.
# ui_timing: Open and Save through the editor's real dialogs.
# ui_startup_bench: the editor's start-up until idle beside floor_window (the same window and page dialogs
# from the editor's resources, nothing filled) and bare_window (the smallest Win32 window program).
add_executable(ui_timing ${CMAKE_CURRENT_LIST_DIR}/timing_open_save.cpp ${CMAKE_CURRENT_LIST_DIR}/dialogs.cpp
                         ${CMAKE_CURRENT_LIST_DIR}/page_differences.cpp)
target_link_libraries(ui_timing PRIVATE ui_driver)

add_executable(bare_window WIN32 ${CMAKE_CURRENT_LIST_DIR}/bare_window.cpp)
target_link_libraries(bare_window PRIVATE squadwright_options)

add_executable(floor_window WIN32 ${CMAKE_CURRENT_LIST_DIR}/floor_window.cpp ${SQUADWRIGHT_RESOURCE_OBJECT})
target_link_libraries(floor_window PRIVATE squadwright_options comctl32)
add_dependencies(floor_window squadwright_resources)

add_executable(ui_startup_bench ${CMAKE_CURRENT_LIST_DIR}/startup_bench.cpp)
target_link_libraries(ui_startup_bench PRIVATE squadwright_options)
target_compile_definitions(ui_startup_bench PRIVATE SQUADWRIGHT_EDITOR_EXE="$<TARGET_FILE:squadwright>"
                                                    FLOOR_WINDOW_EXE="$<TARGET_FILE:floor_window>"
                                                    BARE_WINDOW_EXE="$<TARGET_FILE:bare_window>")
add_dependencies(ui_startup_bench squadwright floor_window bare_window)
