// Evaluation of the arithmetic expressions typed into numeric entry fields and grid cells.
#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

namespace tolvane::entry {

// An entry that cannot be turned into a number; the message is shown to the user as it is.
class EAssignError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The value of an expression such as "2*(3+4)", "sqrt16", "5!", "$1A" or "pi/2".
// Parenthesised parts are evaluated first and put back as text; the remaining operators apply in
// four levels (^; * / % &; + - |; =), each level from left to right. Floating-point faults give
// NaN or infinities; when such a value has to be read back as an operand the entry fails.
// Throws EAssignError.
long double EvaluateExpression(std::string_view text);

}  // namespace tolvane::entry
