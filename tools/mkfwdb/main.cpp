// mkfwdb RECIPE OUTPUT_DIR: writes the settings databases a recipe describes
// (format: MakeDatabasesFromRecipe in SettingsDatabaseMaker.h).
#include <exception>
#include <iostream>

#include "tools/mkfwdb/SettingsDatabaseMaker.h"

int main(int argc, char** argv) {
  if (argc != 3) {
    std::cerr << "usage: mkfwdb RECIPE OUTPUT_DIR\n";
    return 2;
  }
  try {
    fwdb::MakeDatabasesFromRecipe(argv[1], argv[2]);
    return 0;
  } catch (const std::exception& error) {
    std::cerr << "mkfwdb: " << error.what() << "\n";
    return 1;
  }
}
