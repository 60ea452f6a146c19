# The plot-data reader of the program.
tolvane_add_fuzzer(plot_data ${CMAKE_CURRENT_SOURCE_DIR}/plot_data_fuzz.cpp tolvane::main_core)
