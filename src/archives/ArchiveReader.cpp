// SPDX-License-Identifier: GPL-3.0-or-later
#include "archives/ArchiveReader.h"

#include <archive.h>
#include <archive_entry.h>
#include <fcntl.h>
#include <unistd.h>

#include <array>

namespace movrand::archives {

ArchiveReader::ArchiveReader(const std::string& nativePath) : path_(nativePath) {
    // libarchive gives names in the thread's locale: a UTF-8 one for this reader's life, so that
    // names beyond ASCII arrive whole whatever the program's own locale is.
    utf8_ = newlocale(LC_ALL_MASK, "C.UTF-8", nullptr);
    if (utf8_) previous_ = uselocale(utf8_);
    archive_ = archive_read_new();
    if (!archive_) return;
    archive_read_support_filter_gzip(archive_);
    archive_read_support_filter_bzip2(archive_);
    archive_read_support_filter_xz(archive_);
    archive_read_support_filter_lzma(archive_);
    archive_read_support_format_zip(archive_);
    archive_read_support_format_7zip(archive_);
    archive_read_support_format_rar(archive_);
    archive_read_support_format_rar5(archive_);
    archive_read_support_format_tar(archive_);
    archive_read_support_format_gnutar(archive_);
    // Old .zip tools wrote names in the DOS code page without saying so.
    archive_read_set_format_option(archive_, "zip", "hdrcharset", "CP437");
    opened_ = archive_read_open_filename(archive_, nativePath.c_str(), 64 * 1024) == ARCHIVE_OK;
}

ArchiveReader::~ArchiveReader() {
    if (archive_) archive_read_free(archive_);
    if (utf8_) {
        uselocale(previous_ ? previous_ : LC_GLOBAL_LOCALE);
        freelocale(utf8_);
    }
}

ArchiveReader::Step ArchiveReader::Next() {
    if (!opened_) return Step::Failed;
    const int status = archive_read_next_header(archive_, &entry_);
    if (status == ARCHIVE_EOF) return Step::End;
    // A warning is a name that could not be converted or the like: the name checks decide.
    return status == ARCHIVE_OK || status == ARCHIVE_WARN ? Step::Entry : Step::Failed;
}

std::string ArchiveReader::EntryName() const {
    const char* name = archive_entry_pathname_utf8(entry_);
    if (!name) name = archive_entry_pathname(entry_);
    return name ? name : StoredZipName();
}

bool ArchiveReader::NameConverted() const {
    return archive_entry_pathname_utf8(entry_) || archive_entry_pathname(entry_);
}

// libarchive gives no name it could not convert; a .zip's local header, where the entry's
// header began, holds its bytes.
std::string ArchiveReader::StoredZipName() const {
    if ((archive_format(archive_) & ARCHIVE_FORMAT_BASE_MASK) != ARCHIVE_FORMAT_ZIP) return "";
    const la_int64_t at = archive_read_header_position(archive_);
    const int fd = ::open(path_.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK);
    if (fd < 0 || at < 0) {
        if (fd >= 0) ::close(fd);
        return "";
    }
    std::array<unsigned char, 30> header{};
    std::string name;
    if (::pread(fd, header.data(), header.size(), at) == static_cast<ssize_t>(header.size()) &&
        header[0] == 'P' && header[1] == 'K' && header[2] == 3 && header[3] == 4) {
        name.resize(header[26] | (header[27] << 8));
        if (::pread(fd, name.data(), name.size(), at + 30) != static_cast<ssize_t>(name.size()))
            name.clear();
    }
    ::close(fd);
    return name;
}

bool ArchiveReader::Encrypted() const {
    if (!opened_) return false;  // libarchive has no format to ask before the open succeeds
    if (entry_ && archive_entry_is_encrypted(entry_)) return true;
    if (archive_read_has_encrypted_entries(archive_) > 0) return true;
    const std::string error = ErrorText();
    return error.find("ncrypt") != std::string::npos ||
           error.find("assphrase") != std::string::npos;
}

std::string ArchiveReader::ErrorText() const {
    const char* text = archive_ ? archive_error_string(archive_) : nullptr;
    return text ? text : "";
}

}  // namespace movrand::archives
