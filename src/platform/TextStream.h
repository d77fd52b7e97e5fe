// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>

namespace movrand::platform {

class FaultPlan;

// A text file read line by line; lines may end with CR LF or LF. Bytes are kept as they are.
class TextReader {
  public:
    // Raises 53 when missing; `shown` names the file in errors.
    explicit TextReader(const std::filesystem::path& native, const std::string& shown = {});
    TextReader(TextReader&&) noexcept = default;
    TextReader& operator=(TextReader&&) noexcept = default;
    ~TextReader();

    bool AtEndOfStream();
    std::string ReadLine();
    void Close();

  private:
    struct Closer {
        void operator()(std::FILE* f) const {
            if (f) std::fclose(f);
        }
    };
    std::unique_ptr<std::FILE, Closer> file_;
};

// A text file written line by line, each line followed by CR LF. The file is created (replacing
// an existing one) when the writer is made.
class TextWriter {
  public:
    // With `folder`, the file is created in that open folder under the native path's last name.
    // With `append`, what the file holds stays and the lines written go after it.
    TextWriter(const std::filesystem::path& native, FaultPlan* faults, int folder = -1,
               bool append = false);
    TextWriter(TextWriter&&) noexcept = default;
    TextWriter& operator=(TextWriter&&) noexcept = default;
    ~TextWriter();

    void WriteLine(const std::string& line);
    void Write(const std::string& text);
    // Writes what is buffered to the disk; raises the platform's error when that fails.
    void Close();

  private:
    struct Closer {
        void operator()(std::FILE* f) const {
            if (f) std::fclose(f);
        }
    };
    std::unique_ptr<std::FILE, Closer> file_;
    FaultPlan* faults_ = nullptr;
    std::filesystem::path native_;
};

}  // namespace movrand::platform
