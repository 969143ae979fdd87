# Benchmarks of the Windows program, run by hand under Wine; not tests.
# ui_timing: Open and Save through the editor's real dialogs.
# ui_startup_bench: the editor's start-up until idle beside bare_window, the smallest Win32 window program.
add_executable(ui_timing ${CMAKE_CURRENT_LIST_DIR}/timing_open_save.cpp ${CMAKE_CURRENT_LIST_DIR}/system_dialogs.cpp)
target_link_libraries(ui_timing PRIVATE ui_driver)

add_executable(bare_window WIN32 ${CMAKE_CURRENT_LIST_DIR}/bare_window.cpp)
target_link_libraries(bare_window PRIVATE squadwright_options)

add_executable(ui_startup_bench ${CMAKE_CURRENT_LIST_DIR}/startup_bench.cpp)
target_link_libraries(ui_startup_bench PRIVATE squadwright_options)
target_compile_definitions(ui_startup_bench PRIVATE SQUADWRIGHT_EDITOR_EXE="$<TARGET_FILE:squadwright>"
                                                    BARE_WINDOW_EXE="$<TARGET_FILE:bare_window>")
add_dependencies(ui_startup_bench squadwright bare_window)
