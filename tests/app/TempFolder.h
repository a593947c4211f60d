// A uniquely named folder under the system's temporary folder, removed with its content.
#pragma once

#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>

#include <stdlib.h>

namespace zelta::test {

class TTempFolder {
public:
    TTempFolder()
    {
        std::string Pattern = (std::filesystem::temp_directory_path() / "zelta-app-XXXXXX").string();
        if (!::mkdtemp(Pattern.data()))
            throw std::runtime_error("mkdtemp failed");
        FPath = Pattern;
    }
    TTempFolder(const TTempFolder&) = delete;
    TTempFolder& operator=(const TTempFolder&) = delete;
    ~TTempFolder()
    {
        std::error_code Ec;
        std::filesystem::remove_all(FPath, Ec);
    }

    const std::filesystem::path& Path() const { return FPath; }
    std::string File(const std::string& Name) const { return (FPath / Name).string(); }

private:
    std::filesystem::path FPath;
};

inline void WriteBytes(const std::string& Path, const std::string& Bytes)
{
    std::ofstream Out(Path, std::ios::binary | std::ios::trunc);
    Out.write(Bytes.data(), static_cast<std::streamsize>(Bytes.size()));
    if (!Out)
        throw std::runtime_error("cannot write " + Path);
}

inline std::string ReadBytes(const std::string& Path)
{
    std::ifstream In(Path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(In), std::istreambuf_iterator<char>());
}

}  // namespace zelta::test
