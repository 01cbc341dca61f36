#pragma once

#include <string>
#include <string_view>

namespace vellicor {

class ArchiveReader;
class ArchiveWriter;
class IUserMessages;

// An archive database file that is loaded whole, changed in memory and saved whole. It remembers
// the path it was loaded from; one that was never loaded cannot be saved.
class DbDoc {
public:
    DbDoc() = default;
    DbDoc(const DbDoc&) = default;
    DbDoc& operator=(const DbDoc&) = default;
    virtual ~DbDoc() = default;

    // Loads the file and remembers its path; a zero-length file is an empty database. On failure
    // the message has been shown, the database is empty and no path is remembered.
    bool Open(const std::string& path, IUserMessages& messages);
    // As Open, except that an absent file is first written with the database as it stands.
    bool OpenOrCreate(const std::string& path, IUserMessages& messages);
    // Writes to a temporary file and renames it over the remembered one; on failure the message has
    // been shown and the old file is left as it was.
    bool Save(IUserMessages& messages);
    // Whether the remembered file no longer holds what this database last loaded or saved there.
    bool ChangedOnDisk() const;

    const std::string& PathName() const { return path_; }

    // The file's content.
    std::string Bytes() const;
    // Replaces the content from the file's bytes; false, and an empty database, when they are damaged:
    // a record count that does not match the bytes, too few or too many, is damage.
    bool Load(std::string_view bytes);

protected:
    virtual void Clear() = 0;
    virtual void Write(ArchiveWriter& w) const = 0;
    virtual bool Read(ArchiveReader& r) = 0;

private:
    std::string path_;
    std::string onDisk_;
};

} // namespace vellicor
