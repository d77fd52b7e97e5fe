// SPDX-License-Identifier: GPL-3.0-or-later
#include "archives/ArchiveReader.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <vector>

#include "archives/ArchiveLibrary.h"

namespace movrand::archives {

ArchiveReader::ArchiveReader(const std::string& nativePath) : path_(nativePath) {
    // libarchive gives names in the thread's locale: a UTF-8 one for this reader's life, so that
    // names beyond ASCII arrive whole whatever the program's own locale is.
    utf8_ = newlocale(LC_ALL_MASK, "C.UTF-8", nullptr);
    if (utf8_) previous_ = uselocale(utf8_);
    library_ = LoadArchiveLibrary(loadFailure_);
    if (!library_) return;
    const ArchiveLibrary& la = *library_;
    archive_ = la.archive_read_new();
    if (!archive_) return;
    la.archive_read_support_filter_gzip(archive_);
    la.archive_read_support_filter_bzip2(archive_);
    la.archive_read_support_filter_xz(archive_);
    la.archive_read_support_filter_lzma(archive_);
    la.archive_read_support_format_zip(archive_);
    la.archive_read_support_format_7zip(archive_);
    la.archive_read_support_format_rar(archive_);
    la.archive_read_support_format_rar5(archive_);
    la.archive_read_support_format_tar(archive_);
    la.archive_read_support_format_gnutar(archive_);
    // Old .zip tools wrote names in the DOS code page without saying so.
    la.archive_read_set_format_option(archive_, "zip", "hdrcharset", "CP437");
    opened_ = la.archive_read_open_filename(archive_, nativePath.c_str(), 64 * 1024) == ARCHIVE_OK;
}

ArchiveReader::~ArchiveReader() {
    if (archive_) library_->archive_read_free(archive_);
    if (utf8_) {
        uselocale(previous_ ? previous_ : LC_GLOBAL_LOCALE);
        freelocale(utf8_);
    }
}

ArchiveReader::Step ArchiveReader::Next() {
    if (!opened_) return Step::Failed;
    const int status = library_->archive_read_next_header(archive_, &entry_);
    if (status == ARCHIVE_EOF) return Step::End;
    // A warning is a name that could not be converted or the like: the name checks decide.
    return status == ARCHIVE_OK || status == ARCHIVE_WARN ? Step::Entry : Step::Failed;
}

std::string ArchiveReader::EntryName() const {
    const char* name = library_->archive_entry_pathname_utf8(entry_);
    if (!name) name = library_->archive_entry_pathname(entry_);
    return name ? name : StoredZipName();
}

bool ArchiveReader::NameConverted() const {
    return library_->archive_entry_pathname_utf8(entry_) ||
           library_->archive_entry_pathname(entry_);
}

namespace {

std::uint32_t Little(const std::string& bytes, std::size_t at, int size) {
    std::uint32_t value = 0;
    for (int i = size - 1; i >= 0; --i)
        value = (value << 8) | static_cast<unsigned char>(bytes[at + static_cast<std::size_t>(i)]);
    return value;
}

std::string ReadAt(int fd, std::int64_t at, std::size_t size) {
    std::string bytes(size, '\0');
    if (at < 0 || ::pread(fd, bytes.data(), size, at) != static_cast<ssize_t>(size)) return "";
    return bytes;
}

// Where the .zip's local headers begin, in the order libarchive reads the entries when it has
// the central directory (by their place in the file); empty where there is no central directory
// to read (libarchive then reads the headers one after another).
std::vector<std::int64_t> LocalHeaders(int fd) {
    struct stat st {};
    if (::fstat(fd, &st) != 0 || st.st_size < 22) return {};
    constexpr std::int64_t kLongestComment = 0xFFFF;
    const std::int64_t tailAt = std::max<std::int64_t>(0, st.st_size - 22 - kLongestComment);
    const std::string tail = ReadAt(fd, tailAt, static_cast<std::size_t>(st.st_size - tailAt));
    const std::size_t end = tail.rfind(std::string("PK\5\6", 4));
    if (end == std::string::npos || end + 22 > tail.size()) return {};
    const std::uint32_t size = Little(tail, end + 12, 4), offset = Little(tail, end + 16, 4);
    const std::int64_t endAt = tailAt + static_cast<std::int64_t>(end);
    // A self-extractor's program stands before the archive; its offsets count from the archive.
    const std::int64_t shift = endAt - static_cast<std::int64_t>(size) - offset;
    if (offset == 0xFFFFFFFF || shift < 0 || size > (64u << 20)) return {};
    const std::string directory = ReadAt(fd, endAt - size, size);
    std::vector<std::int64_t> headers;
    for (std::size_t at = 0; at + 46 <= directory.size();) {
        if (directory.compare(at, 4, std::string("PK\1\2", 4)) != 0) return {};
        const std::uint32_t local = Little(directory, at + 42, 4);
        if (local == 0xFFFFFFFF) return {};  // Zip64: not looked into
        headers.push_back(shift + local);
        at += 46 + Little(directory, at + 28, 2) + Little(directory, at + 30, 2) +
              Little(directory, at + 32, 2);
    }
    std::sort(headers.begin(), headers.end());
    return headers;
}

}  // namespace

// libarchive gives no name it could not convert; the .zip's local header of the entry holds its
// bytes.
std::string ArchiveReader::StoredZipName() const {
    if ((library_->archive_format(archive_) & ARCHIVE_FORMAT_BASE_MASK) != ARCHIVE_FORMAT_ZIP)
        return "";
    const int fd = ::open(path_.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK);
    if (fd < 0) return "";
    // With the central directory libarchive reads the entries by the places of their headers,
    // and its header position is not where the entry's stands: the entry is known by its number.
    const std::vector<std::int64_t> headers = LocalHeaders(fd);
    std::int64_t at = library_->archive_read_header_position(archive_);
    if (!headers.empty()) {
        const int entry = library_->archive_file_count(archive_) - 1;
        at = entry >= 0 && static_cast<std::size_t>(entry) < headers.size()
                 ? headers[static_cast<std::size_t>(entry)]
                 : -1;
    }
    const std::string header = ReadAt(fd, at, 30);
    std::string name;
    if (header.size() == 30 && header.compare(0, 4, std::string("PK\3\4", 4)) == 0)
        name = ReadAt(fd, at + 30, Little(header, 26, 2));
    ::close(fd);
    return name;
}

bool ArchiveReader::Encrypted() const {
    if (!opened_) return false;  // libarchive has no format to ask before the open succeeds
    if (entry_ && library_->archive_entry_is_encrypted(entry_)) return true;
    if (library_->archive_read_has_encrypted_entries(archive_) > 0) return true;
    const std::string error = ErrorText();
    return error.find("ncrypt") != std::string::npos ||
           error.find("assphrase") != std::string::npos;
}

std::string ArchiveReader::ErrorText() const {
    if (!library_) return loadFailure_;
    const char* text = archive_ ? library_->archive_error_string(archive_) : nullptr;
    return text ? text : "";
}

}  // namespace movrand::archives
