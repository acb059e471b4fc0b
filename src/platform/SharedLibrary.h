#pragma once
#include <string>

// A shared library loaded at run time, its entry points looked up by name.
// Unloaded with the object.
class TSharedLibrary {
public:
    explicit TSharedLibrary(const std::string& path);
    ~TSharedLibrary();
    TSharedLibrary(const TSharedLibrary&) = delete;
    TSharedLibrary& operator=(const TSharedLibrary&) = delete;

    bool Loaded() const { return FHandle != nullptr; }
    void* Handle() const { return FHandle; }
    // null when the library is not loaded or has no such entry point
    void* Resolve(const char* name) const;

private:
    void* FHandle;
};
