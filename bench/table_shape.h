// The hook table's shape in plain data, for the libobjc anchor, which sees
// no header of the model runtime: each row's class, selector, whether it is
// a class method, and the method's type encoding.
//
//   for (const TableRowShape& row : hookTableShape()) ...
#pragma once

#include <string>
#include <vector>

struct TableRowShape {
  std::string className;
  std::string selector;
  bool classMethod;
  std::string types;
};

// Every group's rows, in installation order.
std::vector<TableRowShape> hookTableShape();
