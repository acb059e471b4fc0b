#pragma once
#include <functional>
#include <string>

// Where the program keeps its files. A copy that finds its settings file
// beside itself, or that runs from a folder it may write to and is not laid
// out as installed (the build, a copied folder), keeps them there as it
// always has ("portable"); an installed copy keeps them in the user's XDG
// base folders.
struct TProgramFiles {
    bool Portable = true;
    std::string SettingsFile;
    std::string ScratchFolder;   // the viewer's copies of pictures, with a trailing '/'
    std::string DataFolder;      // the program's own files: the loading picture
    std::string HistoryFile;     // what the program saved
    std::string DefaultSavePath; // the save folder until one is chosen; empty: none
};

// What decides it: the executable and what its folder holds.
struct TProgramPlace {
    std::string Executable;      // absolute path
    bool SettingsBeside = false; // the executable's path with ".ini" is a file
    bool FolderWritable = false; // the executable's folder takes new files
    bool DataBeside = false;     // the loading picture lies beside the executable
    bool InstalledData = false;  // ...or in ../share/glimmerscout, as installed
};

// The value of an environment variable; empty when unset.
using TEnvironment = std::function<std::string(const std::string& name)>;

TProgramFiles ProgramFilesFor(const TProgramPlace& place, const TEnvironment& env);

// The user's pictures folder: XDG_PICTURES_DIR of the user-dirs.dirs file in
// the configuration folder (as xdg-user-dir reads it), else ~/Pictures.
std::string PicturesFolder(const TEnvironment& env);

// This process's, worked out once from its executable and environment.
const TProgramFiles& ProgramFiles();

// Creates the folder of an installed copy's settings file, so that its
// first write can make the file. Failures show at that write.
void CreateSettingsFolder(const TProgramFiles& files);
