#pragma once
// A table row of a text-valued expression, its result and the text it should
// give; the expression's source text names the row when it fails.
#include <string>

struct Row {
  const char* expression;
  std::string actual;
  std::string expected;
};
#define ROW(expression, expected) Row{#expression, expression, expected}
