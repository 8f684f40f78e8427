#pragma once
// A disk folder served through the archive interface, so that "Data.hac" may be a
// plain folder of loose files while content is being worked on. Whole-file
// operations go straight to the disk; folder listings are read the first time
// they are asked for and kept from then on (never refreshed).
#include "io/HAC.h"

namespace hgl
{
struct FolderMapping;

struct FileMapping
{
    FolderMapping *folder = nullptr;
    String name;      // lower-cased
    int size = 0;     // low 32 bits of the size the listing reported
    String disk_name; // the name as the disk spells it
};

struct FolderMapping
{
    String key;  // the folder's disk path, lower-cased
    String disk; // the folder's disk path as composed ("" = the start folder)
    ObjectList<FileMapping> entries;
};

class HacMapping : public HAC
{
    String root;                        // empty: the start folder
    ObjectList<FolderMapping> listings; // in the order they were built

    static constexpr int PathMax = 4095;

    bool Compose(const String &base, const u16char *path, String &out) const;
    Stream *StreamFromDisk(const String &disk, bool toMemory);
    bool LoadFromDisk(const String &disk, void **buffer, int *size);
    FolderMapping *Listing(void *folder)
    {
        return folder ? static_cast<FolderMapping *>(folder)
                      : static_cast<FolderMapping *>(FindFolder(nullptr));
    }

  public:
    explicit HacMapping(const u16char *folder);
    ~HacMapping() override;

    const String &GetRoot() const { return root; }

    bool ReadFilePart(void *file, int start, int length, void *dest) override;
    bool FileExist(const u16char *path) override;
    Stream *LoadFileStream(const u16char *path, bool toMemory) override;
    bool LoadFile(const u16char *path, void **buffer, int *size) override;
    void *FindFolder(const u16char *path) override;
    int GetFileCount(void *folder) override;
    bool GetFileByIndex(void *folder, int index, String &name, int &size) override;
    void *FindFile(void *folder, const u16char *name, int *size = nullptr) override;
    void *FindFileFromRoot(const u16char *path, int *size = nullptr) override;
    bool FileExistInFolder(void *folder, const u16char *name) override;
    Stream *LoadFileStreamInFolder(void *folder, const u16char *path, bool toMemory) override;
    bool LoadFileInFolder(void *folder, const u16char *path, void **buffer, int *size) override;
};
} // namespace hgl
