# The engine's project-file reader: no input may crash it, hang it or read past a table.
tolvane_add_fuzzer(engine_input ${CMAKE_CURRENT_SOURCE_DIR}/engine_input_fuzz.cpp tolvane::engine)
