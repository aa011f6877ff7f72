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

// $MARVESSA_HOME, else the folder of the running executable; $MARVESSA_WINDOWS_DIR, else
// ~/.config/marvessa/.
class LinuxFolders : public Folders {
 public:
  std::string ProgramFolder() const override;
  std::string WindowsFolder() const override;
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
