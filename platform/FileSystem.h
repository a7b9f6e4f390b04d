// The two questions the shell asks of the file system.
#pragma once

#include <string>

namespace curvalia::platform {

class FileSystem {
  public:
    virtual ~FileSystem() = default;
    // True for an existing regular file (not a folder).
    virtual bool fileExists(const std::string& path) = 0;
    // The process's current directory, without a trailing separator.
    virtual std::string currentDirectory() = 0;
};

class LocalFileSystem final : public FileSystem {
  public:
    bool fileExists(const std::string& path) override;
    std::string currentDirectory() override;
};

} // namespace curvalia::platform
