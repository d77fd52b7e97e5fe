// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/SystemLibrary.h"

#include <dlfcn.h>

namespace movrand::platform {

namespace {

std::string LastLoaderError() {
    const char* text = dlerror();
    return text ? text : "unknown error";
}

}  // namespace

// Never unloaded: the functions found in it stay in use until the program ends.
SystemLibrary::SystemLibrary(const char* soname) : soname_(soname) {
    handle_ = dlopen(soname, RTLD_NOW | RTLD_LOCAL);
    if (!handle_)
        failure_ = "The library " + soname_ + " could not be loaded: " + LastLoaderError();
}

void* SystemLibrary::Address(const char* name) {
    if (!handle_) return nullptr;
    dlerror();
    void* address = dlsym(handle_, name);
    if (!address && failure_.empty())
        failure_ = "The library " + soname_ + " lacks " + name + ": " + LastLoaderError();
    return address;
}

}  // namespace movrand::platform
