# The expression evaluator of the numeric entry fields.
tolvane_add_fuzzer(expression ${CMAKE_CURRENT_SOURCE_DIR}/expression_fuzz.cpp tolvane::entry)
