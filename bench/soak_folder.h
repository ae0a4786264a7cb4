#pragma once

#include <string>

namespace vox {

// The soak's program folder: a scratch folder with every feature switched on in its settings
// file, the sample weather programs' folders, prepared sounds and information files. Removed at
// the end unless kept.
class SoakFolder {
public:
    SoakFolder();
    ~SoakFolder();
    SoakFolder(const SoakFolder&) = delete;
    SoakFolder& operator=(const SoakFolder&) = delete;

    // Fills the folder from the samples under dataDir (the tests' data folder). False with a
    // message when something could not be made.
    bool prepare(const std::string& dataDir, std::string* error);
    const std::string& home() const { return home_; }
    void keep() { keep_ = true; }

private:
    std::string base_;
    std::string home_;
    bool keep_ = false;
};

}  // namespace vox
