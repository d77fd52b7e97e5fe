// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <string>

namespace movrand::platform {

// A library of the system, loaded by its file name (its soname) when first needed rather than at
// every start, and kept loaded for the rest of the run.
class SystemLibrary {
  public:
    // Loads the library; Loaded() says whether it could be, Failure() why not.
    explicit SystemLibrary(const char* soname);
    SystemLibrary(const SystemLibrary&) = delete;
    SystemLibrary& operator=(const SystemLibrary&) = delete;

    bool Loaded() const { return handle_ != nullptr; }
    // The first reason a load or a look-up failed, naming the library ("" while none did).
    const std::string& Failure() const { return failure_; }

    // Sets `function` to the library's function of that name (the type is the caller's
    // declaration of it, from the library's own header); false, with the reason kept, when the
    // library is not loaded or lacks it.
    template <class Function>
    bool Find(const char* name, Function& function) {
        void* address = Address(name);
        function = reinterpret_cast<Function>(address);
        return address != nullptr;
    }

  private:
    void* Address(const char* name);

    std::string soname_;
    void* handle_ = nullptr;
    std::string failure_;
};

}  // namespace movrand::platform
