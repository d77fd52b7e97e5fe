// SPDX-License-Identifier: GPL-3.0-or-later
#include "archives/ArchiveReader.h"

#include <archive.h>
#include <archive_entry.h>

namespace movrand::archives {

ArchiveReader::ArchiveReader(const std::string& nativePath) {
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
    return name ? name : "";
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
