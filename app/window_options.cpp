// The window program's table: its data files and the help options.
#include "app/program_tables.h"

namespace orniva::cli {

const ProgramTable& WindowProgram() {
  static const ProgramTable program = [] {
    ProgramTable p;
    p.name = "orniva";
    p.operands = "[FILE...]";
    p.description =
        "Opens the Orniva window: fault-slip data in a table and on stereonets. With FILE, loads "
        "it as a file dropped on the window is loaded (checked, VORN.log written beside it); "
        "without, starts with the empty net.\n";
    p.maxOperands = -1;
    p.footer = "Qt's own options (-platform, -style ...) are accepted as well.\n";
    return p;
  }();
  return program;
}

}  // namespace orniva::cli
