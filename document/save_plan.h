// Saving a document as one plan: the files a save writes, in order, with
// their bytes, made by the document's PlanSave and written here, each file
// atomically, the same way for a data file and an orientation table.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace orniva::document {

// The files a save writes, in order, and their bytes.
struct SavePlan {
  struct File {
    std::string path;
    std::string bytes;
  };
  std::string dataPath;     // the document's file name after the save
  std::vector<File> files;  // the data file (when it is written) first, then the curation file
  std::string dataSha256;   // of the data file's bytes after the save
  std::optional<std::string> dataBytes;  // those bytes, when kept
};

// Writes the files of `plan`, each atomically, in order, for a document
// now named `fileName` with unsaved changes or not (`modified`). Returns
// what the saved document tells its listeners (notice bits): its file name
// when it is another, its saved state when it had unsaved changes. Throws
// FileError for the first file that cannot be written.
unsigned WriteSavePlan(const SavePlan& plan, const std::string& fileName, bool modified);

}  // namespace orniva::document
