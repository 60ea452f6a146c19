# The three project-file readers.
tolvane_add_fuzzer(project_v9 ${CMAKE_CURRENT_SOURCE_DIR}/project_v9_fuzz.cpp tolvane::model)
tolvane_add_fuzzer(project_v8 ${CMAKE_CURRENT_SOURCE_DIR}/project_v8_fuzz.cpp tolvane::model)
tolvane_add_fuzzer(project_oldest ${CMAKE_CURRENT_SOURCE_DIR}/project_oldest_fuzz.cpp
                   tolvane::model)
