// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <locale.h>

#include <cstdint>
#include <string>

struct archive;
struct archive_entry;

namespace movrand::archives {

struct ArchiveLibrary;

// One pass through an archive with libarchive, reading the formats add-ons come in: .zip
// (also inside a self-extracting .exe), .7z, .rar (4 and 5) and .tar, plain or compressed.
// Names come out in UTF-8: names of .zip entries stored without the UTF-8 flag are taken as
// DOS code page 437.
class ArchiveReader {
  public:
    explicit ArchiveReader(const std::string& nativePath);
    ~ArchiveReader();
    ArchiveReader(const ArchiveReader&) = delete;
    ArchiveReader& operator=(const ArchiveReader&) = delete;

    enum class Step { Entry, End, Failed };
    // Moves to the next entry (skipping the data of the one before).
    Step Next();
    archive_entry* Entry() const { return entry_; }
    archive* Handle() const { return archive_; }
    // libarchive's functions, for the entries Next() gives (loaded once an entry was read).
    const ArchiveLibrary& Library() const { return *library_; }

    // The entry's name in UTF-8 ("" when it has none). A name that could not be read in the
    // character set the archive declares for it comes as its stored bytes, where they can be
    // found (a .zip's), else as "".
    std::string EntryName() const;
    // False when the entry's name could not be read in the character set declared for it.
    bool NameConverted() const;
    // True when the entry, or the archive's header, is protected by a password.
    bool Encrypted() const;
    // libarchive's account of the last failure, or why libarchive could not be loaded.
    std::string ErrorText() const;
    // The UTF-8 locale the names are read in (for letter case).
    locale_t Utf8Locale() const { return utf8_; }

  private:
    std::string StoredZipName() const;

    std::string path_;
    const ArchiveLibrary* library_ = nullptr;
    std::string loadFailure_;
    archive* archive_ = nullptr;
    archive_entry* entry_ = nullptr;
    locale_t utf8_ = nullptr;
    locale_t previous_ = nullptr;
    bool opened_ = false;
};

}  // namespace movrand::archives
