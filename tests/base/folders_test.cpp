#include <gtest/gtest.h>

#include <filesystem>

#include "base/ufolders.h"
#include "tests/support/sandbox.h"

namespace marvessa {
namespace {

TEST(ChooseFolders, ProgramFolderByEnvironmentAndPlace) {
  struct Case {
    const char* what;
    FolderPlaces places;
    ChosenFolders chosen;
  };
  const Case cases[] = {
      {"build or portable copy", {"", "", "", "/h", "/opt/m/", true, ""}, {"/opt/m/", "/h/.config/marvessa/", ""}},
      {"installed", {"", "", "", "/h", "/usr/bin/", false, "/usr/share/marvessa/"},
       {"/h/.local/share/marvessa/", "/h/.local/share/marvessa/", "/usr/share/marvessa/"}},
      {"installed, run by root", {"", "", "/x", "/h", "/usr/bin/", true, "/usr/share/marvessa/"},
       {"/x/marvessa/", "/x/marvessa/", "/usr/share/marvessa/"}},
      {"installed in the user's home", {"", "", "", "/h", "/h/.local/bin/", true, "/h/.local/share/marvessa/"},
       {"/h/.local/share/marvessa/", "/h/.local/share/marvessa/", ""}},
      {"read-only copy", {"", "", "rel", "/h", "/opt/m/", false, ""}, {"/h/.local/share/marvessa/", "/h/.local/share/marvessa/", ""}},
      {"MARVESSA_HOME wins", {"/m", "", "/x", "/h", "/usr/bin/", false, "/usr/share/marvessa/"}, {"/m/", "/h/.config/marvessa/", ""}},
      {"MARVESSA_WINDOWS_DIR wins", {"", "/w", "", "/h", "/usr/bin/", false, "/usr/share/marvessa/"},
       {"/h/.local/share/marvessa/", "/w/", "/usr/share/marvessa/"}},
  };
  for (const Case& c : cases) {
    const ChosenFolders chosen = ChooseFolders(c.places);
    EXPECT_EQ(chosen.program, c.chosen.program) << c.what;
    EXPECT_EQ(chosen.windows, c.chosen.windows) << c.what;
    EXPECT_EQ(chosen.seedFrom, c.chosen.seedFrom) << c.what;
  }
}

TEST(SeedDataFolder, CopiesMissingAndOlderFilesAndKeepsNewerOnes) {
  namespace fs = std::filesystem;
  test::Sandbox shipped;
  test::Sandbox user;
  shipped.Write("help.htm", "help v2");
  shipped.Write("Trovik.dat", "engines v2");
  shipped.Write("rules.dat", "rules v2");
  shipped.Write("sub/ignored", "x");
  const std::string data = user.Path("data/");
  SeedDataFolder(shipped.Dir(), data);
  EXPECT_EQ(user.Read("data/help.htm"), "help v2");
  EXPECT_FALSE(user.Exists("data/sub"));
  user.Write("data/Trovik.dat", "engines renewed by the update service");
  user.Write("data/rules.dat", "rules v1");
  fs::last_write_time(data + "rules.dat", fs::last_write_time(shipped.Path("rules.dat")) - std::chrono::hours(1));
  user.Write("data/Trovik.ini", "settings");
  SeedDataFolder(shipped.Dir(), data);
  EXPECT_EQ(user.Read("data/Trovik.dat"), "engines renewed by the update service");
  EXPECT_EQ(user.Read("data/rules.dat"), "rules v2");
  EXPECT_EQ(user.Read("data/Trovik.ini"), "settings");
}

}  // namespace
}  // namespace marvessa
