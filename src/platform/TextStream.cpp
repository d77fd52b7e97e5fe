// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/TextStream.h"

#include <fcntl.h>

#include <cerrno>
#include <system_error>

#include "platform/FaultPlan.h"
#include "platform/FileHandles.h"
#include "platform/FileSystemErrors.h"
#include "platform/GroupShare.h"
#include "platform/RuntimeError.h"

namespace movrand::platform {
namespace fs = std::filesystem;

TextReader::TextReader(const fs::path& native, const std::string& shown) {
    // Only a regular file is read, and the open never waits for a writer.
    struct stat info {};
    Descriptor fd = OpenForReading(AT_FDCWD, native.c_str(),
                                   shown.empty() ? native.string() : shown, info, true);
    file_.reset(::fdopen(fd.Get(), "rb"));
    if (!file_) throw ErrorFromCode(std::error_code(errno, std::generic_category()), false);
    fd.Release();
}

TextReader::~TextReader() = default;

bool TextReader::AtEndOfStream() {
    if (!file_) return true;
    const int c = std::fgetc(file_.get());
    if (c == EOF) return true;
    std::ungetc(c, file_.get());
    return false;
}

std::string TextReader::ReadLine() {
    if (!file_) throw RuntimeError(kBadFileNameOrNumber);
    std::string line;
    int c;
    bool any = false;
    while ((c = std::fgetc(file_.get())) != EOF) {
        any = true;
        if (c == '\n') break;
        line += static_cast<char>(c);
    }
    if (!any) throw RuntimeError(kInputPastEndOfFile);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    return line;
}

void TextReader::Close() {
    file_.reset();
}

TextWriter::TextWriter(const fs::path& native, FaultPlan* faults, int folder, bool append)
    : faults_(faults), native_(native) {
    if (faults_) faults_->Check("create " + native.string());
    std::error_code ec;
    if (fs::is_directory(native, ec)) throw FileError(kPermissionDenied, native.string());
    const auto status = fs::status(native, ec);
    if (!ec && fs::exists(status) &&
        (status.permissions() & fs::perms::owner_write) == fs::perms::none)
        throw FileError(kPermissionDenied, native.string());
    // A link at the name is not written through, and a FIFO or device there is refused rather
    // than waited on.
    const bool inFolder = folder >= 0;
    Descriptor fd(::openat(
        inFolder ? folder : AT_FDCWD, inFolder ? native.filename().c_str() : native.c_str(),
        O_WRONLY | O_CREAT | (append ? O_APPEND : O_TRUNC) | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC,
        0666));
    if (fd.Get() < 0)
        throw FileError(std::error_code(errno, std::generic_category()), true, native.string());
    struct stat info {};
    if (::fstat(fd.Get(), &info) != 0 || !S_ISREG(info.st_mode))
        throw NotPlainError("write", native.string(), info.st_mode);
    if (inFolder) {
        ShareWrittenFile(folder, fd.Get());
    } else {
        const Descriptor parent(
            ::open(native.parent_path().empty() ? "." : native.parent_path().c_str(),
                   O_RDONLY | O_DIRECTORY | O_CLOEXEC));
        if (parent.Get() >= 0) ShareWrittenFile(parent.Get(), fd.Get());
    }
    file_.reset(::fdopen(fd.Get(), append ? "ab" : "wb"));
    if (!file_) throw ErrorFromCode(std::error_code(errno, std::generic_category()), true);
    fd.Release();
}

TextWriter::~TextWriter() = default;

void TextWriter::Write(const std::string& text) {
    if (!file_) throw RuntimeError(kBadFileNameOrNumber);
    if (!text.empty() && std::fwrite(text.data(), 1, text.size(), file_.get()) != text.size())
        throw ErrorFromCode(std::error_code(errno, std::generic_category()), false);
}

void TextWriter::WriteLine(const std::string& line) {
    Write(line + "\r\n");
}

void TextWriter::Close() {
    if (!file_) return;
    if (faults_) {
        try {
            faults_->Check("write " + native_.string());
        } catch (...) {
            // A write that fails leaves what a full disk leaves: the file cut short.
            std::FILE* f = file_.release();
            std::fflush(f);
            const long written = std::ftell(f);
            std::fclose(f);
            std::error_code ignored;
            fs::resize_file(native_, static_cast<std::uintmax_t>(written > 0 ? written / 2 : 0),
                            ignored);
            throw;
        }
    }
    std::FILE* f = file_.release();
    const bool flushed = std::fflush(f) == 0;
    const int error = errno;
    const bool closed = std::fclose(f) == 0;
    if (!flushed || !closed)
        throw ErrorFromCode(std::error_code(error, std::generic_category()), false);
}

}  // namespace movrand::platform
