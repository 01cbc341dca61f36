#include "inventory/dbdoc.h"

#include "model/archive.h"
#include "model/jobfile.h"
#include "platform/safefile.h"
#include "platform/stringids.h"
#include "platform/usermessages.h"

#include <filesystem>

namespace vellicor {

bool DbDoc::Open(const std::string& path, IUserMessages& messages)
{
    path_.clear();
    std::string bytes;
    if (const int error = OpenErrorId(ReadWholeFile(path, bytes)); error != 0) {
        Clear();
        messages.Tell(error, {path}, MessageIcon::Error);
        return false;
    }
    if (!Load(bytes)) {
        messages.Tell(ids::UnexpectedFileFormat, {path}, MessageIcon::Error);
        return false;
    }
    path_ = path;
    onDisk_ = std::move(bytes);
    return true;
}

bool DbDoc::OpenOrCreate(const std::string& path, IUserMessages& messages)
{
    std::error_code ec;
    if (std::filesystem::exists(std::filesystem::u8path(path), ec) || ec)
        return Open(path, messages);
    path_ = path;
    if (Save(messages))
        return true;
    path_.clear();
    Clear();
    return false;
}

bool DbDoc::Save(IUserMessages& messages)
{
    if (path_.empty()) {
        messages.Tell(ids::FailedToSaveDocument, {}, MessageIcon::Error);
        return false;
    }
    std::string bytes = Bytes();
    if (const int error = SaveErrorId(WriteFileAtomically(path_, bytes)); error != 0) {
        messages.Tell(error, {path_}, MessageIcon::Error);
        return false;
    }
    onDisk_ = std::move(bytes);
    return true;
}

bool DbDoc::ChangedOnDisk() const
{
    std::string bytes;
    const FileError error = ReadWholeFile(path_, bytes);
    return error == FileError::NotFound ? !onDisk_.empty() : error != FileError::None || bytes != onDisk_;
}

std::string DbDoc::Bytes() const
{
    ArchiveWriter w;
    Write(w);
    return w.TakeBytes();
}

bool DbDoc::Load(std::string_view bytes)
{
    Clear();
    if (bytes.empty())
        return true;
    ArchiveReader r(bytes);
    if (Read(r) && r.Remaining() == 0)
        return true;
    Clear();
    return false;
}

} // namespace vellicor
