# User interface: redraw costs of the main window (with and without the picture cache), and
# start-up of the utility against a bare Qt Widgets program. Included by bench/CMakeLists.txt.
add_executable(vexo_redraw_bench ${CMAKE_CURRENT_LIST_DIR}/redraw_bench.cpp)
target_link_libraries(vexo_redraw_bench PRIVATE vexo_ui benchmark::benchmark)
add_executable(vexo_bare_window ${CMAKE_CURRENT_LIST_DIR}/bare_window.cpp)
target_link_libraries(vexo_bare_window PRIVATE Qt6::Widgets)
add_executable(vexo_startup_bench ${CMAKE_CURRENT_LIST_DIR}/startup_bench.cpp)
target_link_libraries(vexo_startup_bench PRIVATE Qt6::Core benchmark::benchmark)
add_dependencies(vexo_startup_bench vexo vexo_bare_window vexo_bare_tray)
# The notification-area yardstick: one tray icon and an Exit menu (bench/resident_memory.sh).
add_executable(vexo_bare_tray ${CMAKE_CURRENT_LIST_DIR}/bare_tray.cpp)
target_link_libraries(vexo_bare_tray PRIVATE Qt6::Widgets)
# The advanced page: a recorded key to its line, Confirm of ten full macros, showing the page.
add_executable(advanced_page_bench ${CMAKE_CURRENT_LIST_DIR}/advanced_page_bench.cpp)
target_link_libraries(advanced_page_bench PRIVATE vexo_ui vexo_platform_qt vexo_sim benchmark::benchmark)
# The basic settings page through the application shell over the simulated mouse.
add_executable(vexo_basic_page_bench ${CMAKE_CURRENT_LIST_DIR}/basic_page_bench.cpp)
target_link_libraries(vexo_basic_page_bench PRIVATE vexo_app benchmark::benchmark)
# Opening each key-assignment dialog to its first paint, and a key capture to the name shown.
add_executable(dialog_bench ${CMAKE_CURRENT_LIST_DIR}/dialog_bench.cpp)
target_link_libraries(dialog_bench PRIVATE vexo_ui vexo_platform_qt benchmark::benchmark)
add_dependencies(dialog_bench vexo_skins)
