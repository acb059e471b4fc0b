#include "platform/SharedLibrary.h"

#include <dlfcn.h>

TSharedLibrary::TSharedLibrary(const std::string& path) : FHandle(dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL)) {}

TSharedLibrary::~TSharedLibrary()
{
    if (FHandle)
        dlclose(FHandle);
}

void* TSharedLibrary::Resolve(const char* name) const { return FHandle ? dlsym(FHandle, name) : nullptr; }
