// The two folders the program's files live in, behind an interface so tests use sandboxes.
#pragma once

#include <string>

namespace marvessa {

class Folders {
 public:
  virtual ~Folders() = default;
  // Holds the INI file, the engine file, the autosave document and the help file; ends with "/".
  virtual std::string ProgramFolder() const = 0;
  // Holds the news file; ends with "/". It may not exist until something is written to it.
  virtual std::string WindowsFolder() const = 0;
};

// What the choice of the folders depends on: the environment and the executable's place.
struct FolderPlaces {
  std::string marvessaHome;        // $MARVESSA_HOME
  std::string windowsDir;          // $MARVESSA_WINDOWS_DIR
  std::string xdgDataHome;         // $XDG_DATA_HOME
  std::string home;                // $HOME
  std::string executableFolder;    // ends with "/"
  bool executableFolderWritable = true;
  std::string shippedDataFolder;   // share/marvessa/ beside an installed program's bin/; else empty
};

struct ChosenFolders {
  std::string program;
  std::string windows;
  // The folder whose files seed the program folder; empty when the program folder is its own.
  std::string seedFrom;
};

// MARVESSA_HOME wins. A writable executable folder that is not an installed program's (a build
// or a portable copy) is the program folder, with the news file in ~/.config/marvessa/. Otherwise
// the program is installed: every file lives in the user's data folder $XDG_DATA_HOME/marvessa/
// (by default ~/.local/share/marvessa/), seeded from the shipped data folder.
// MARVESSA_WINDOWS_DIR names the news file's folder in every case.
ChosenFolders ChooseFolders(const FolderPlaces& places);

// Copies every file of from that to lacks, or holds in an older copy, into to (created when
// missing), so that a new program version's data reaches the user's folder while files the
// program has renewed since stay. Failures leave the file as it was.
void SeedDataFolder(const std::string& from, const std::string& to);

// The folders of the running program, chosen once, with the data folder seeded.
class LinuxFolders : public Folders {
 public:
  LinuxFolders();
  std::string ProgramFolder() const override { return chosen_.program; }
  std::string WindowsFolder() const override { return chosen_.windows; }

 private:
  ChosenFolders chosen_;
};

// Fixed folders, for tests and for tools that work on a given folder.
class FixedFolders : public Folders {
 public:
  FixedFolders(std::string programFolder, std::string windowsFolder);
  std::string ProgramFolder() const override { return program_; }
  std::string WindowsFolder() const override { return windows_; }

 private:
  std::string program_;
  std::string windows_;
};

// Appends "/" unless the path already ends with one.
std::string WithTrailingSlash(std::string path);

}  // namespace marvessa
