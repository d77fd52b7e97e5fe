// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <archive.h>
#include <archive_entry.h>

#include <string>

namespace movrand::archives {

// The libarchive functions the archive readers use.
#define MOVRAND_ARCHIVE_FUNCTIONS(F)      \
    F(archive_read_new)                   \
    F(archive_read_free)                  \
    F(archive_read_support_filter_gzip)   \
    F(archive_read_support_filter_bzip2)  \
    F(archive_read_support_filter_xz)     \
    F(archive_read_support_filter_lzma)   \
    F(archive_read_support_format_zip)    \
    F(archive_read_support_format_7zip)   \
    F(archive_read_support_format_rar)    \
    F(archive_read_support_format_rar5)   \
    F(archive_read_support_format_tar)    \
    F(archive_read_support_format_gnutar) \
    F(archive_read_set_format_option)     \
    F(archive_read_open_filename)         \
    F(archive_read_next_header)           \
    F(archive_read_data_block)            \
    F(archive_read_header_position)       \
    F(archive_read_has_encrypted_entries) \
    F(archive_format)                     \
    F(archive_file_count)                 \
    F(archive_error_string)               \
    F(archive_entry_pathname)             \
    F(archive_entry_pathname_utf8)        \
    F(archive_entry_filetype)             \
    F(archive_entry_hardlink)             \
    F(archive_entry_size_is_set)          \
    F(archive_entry_size)                 \
    F(archive_entry_mtime_is_set)         \
    F(archive_entry_mtime)                \
    F(archive_entry_is_encrypted)

// libarchive, with its compression libraries, loaded the first time an archive is read: a
// program start that reads none does not pay for loading them. Each member is the function of
// the same name.
struct ArchiveLibrary {
#define MOVRAND_ARCHIVE_MEMBER(name) decltype(&::name) name = nullptr;
    MOVRAND_ARCHIVE_FUNCTIONS(MOVRAND_ARCHIVE_MEMBER)
#undef MOVRAND_ARCHIVE_MEMBER
};

// The loaded library's functions, or nullptr when libarchive cannot be loaded or lacks one of
// them; `failure` then says why, naming the library.
const ArchiveLibrary* LoadArchiveLibrary(std::string& failure);

}  // namespace movrand::archives
