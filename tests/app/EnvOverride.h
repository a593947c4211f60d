// Sets an environment variable for the lifetime of the object and restores it afterwards.
// Tests of one program run one after another, so no other thread reads the environment meanwhile.
#pragma once

#include <cstdlib>
#include <optional>
#include <string>

namespace zelta::test {

class TEnvOverride {
public:
    // An empty Value unsets the variable.
    TEnvOverride(const char* Name, const std::string& Value) : FName(Name)
    {
        if (const char* Old = std::getenv(Name))
            FOld = Old;
        if (Value.empty())
            ::unsetenv(Name);
        else
            ::setenv(Name, Value.c_str(), 1);
    }
    TEnvOverride(const TEnvOverride&) = delete;
    TEnvOverride& operator=(const TEnvOverride&) = delete;
    ~TEnvOverride()
    {
        if (FOld)
            ::setenv(FName.c_str(), FOld->c_str(), 1);
        else
            ::unsetenv(FName.c_str());
    }

private:
    std::string FName;
    std::optional<std::string> FOld;
};

}  // namespace zelta::test
