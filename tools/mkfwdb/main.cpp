// mkfwdb RECIPE OUTPUT_DIR: writes the settings databases a recipe describes.
//
// Recipe lines (blank lines and lines starting with "#" are skipped):
//   database <file name> <dbversion name>   starts a new database
//   splash <controller model key>           a splash row of that database
//   controller <hardware version>           a hardware version of the last splash
//   software <version> <bytes A> <bytes B>  a firmware version of the last hardware,
//                                           sample parts of those sizes
#include <filesystem>
#include <fstream>
#include <iostream>
#include <memory>
#include <sstream>

#include "platform/rtl/Exceptions.h"
#include "tools/mkfwdb/SettingsDatabaseMaker.h"

namespace {

struct RecipeRun {
  std::filesystem::path outputDir;
  std::unique_ptr<fwdb::SettingsDatabaseMaker> database;
  int splash = 0, controller = 0;

  void Line(const std::string& line) {
    std::istringstream words(line);
    std::string verb;
    words >> verb;
    if (verb.empty() || verb[0] == '#') return;
    if (verb == "database") {
      std::string file, version;
      words >> file >> version;
      database = std::make_unique<fwdb::SettingsDatabaseMaker>((outputDir / file).string());
      database->SetDatabaseVersion(version);
    } else if (verb == "splash" || verb == "controller" || verb == "software") {
      if (!database) throw rtl::Exception("no database line before: " + line);
      AddRow(verb, words, line);
    } else {
      throw rtl::Exception("unknown recipe line: " + line);
    }
  }

  void AddRow(const std::string& verb, std::istringstream& words, const std::string& line) {
    std::string name;
    words >> name;
    if (verb == "splash") {
      splash = database->AddSplash(name);
    } else if (verb == "controller") {
      controller = database->AddController(name, splash);
    } else {
      std::size_t sizeA = 0, sizeB = 0;
      if (!(words >> sizeA >> sizeB)) throw rtl::Exception("software line needs two sizes: " + line);
      auto package = fwdb::MakePackage(fwdb::SampleFirmware(sizeA, name + "A"), fwdb::SampleFirmware(sizeB, name + "B"),
                                       name);
      database->AddSoftware(name, controller, package);
    }
  }
};

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::cerr << "usage: mkfwdb RECIPE OUTPUT_DIR\n";
    return 2;
  }
  try {
    std::ifstream recipe(argv[1]);
    if (!recipe) throw rtl::Exception(std::string("cannot read ") + argv[1]);
    RecipeRun run{argv[2], nullptr};
    std::filesystem::create_directories(run.outputDir);
    for (std::string line; std::getline(recipe, line);) run.Line(line);
    return 0;
  } catch (const std::exception& error) {
    std::cerr << "mkfwdb: " << error.what() << "\n";
    return 1;
  }
}
