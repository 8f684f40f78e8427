#pragma once
// The archive interface: a read-only tree of folders and files addressed by
// relative path ('\' between levels). HAC-3 archive files (HAC3) and disk folders
// (HacMapping) implement it; OpenHAC mounts either by looking at the path.
//
// Every mounted archive also runs a loader thread that serves queued load
// requests (QueueLoad) in the background. The engine itself reads synchronously
// through the operations below; the queue is there for callers that want it.
#include "core/ObjectList.h"
#include "core/String.h"
#include "io/Thread.h"

#include <atomic>

namespace hgl
{
class Stream;

class HAC : public Thread
{
  public:
    // One queued load request. The loader thread fills in file and buffer and
    // moves the state on (LoadState: lsNotFound, lsLoading, lsReadFailed, lsDone).
    // Values below lsNotFound belong to the requester.
    struct HacLoadItem
    {
        ThreadMutex lock;           // guards state
        void *folder = nullptr;     // folder handle to search in (null: the root)
        String name;                // the file's path within the folder
        void *file = nullptr;       // file entry, found by the loader when null
        int start = 0, length = 0;  // byte range; 0 and 0 mean the whole file
        bool caller_buffer = false; // true: buffer belongs to the requester
        void *buffer = nullptr;
        int state = 0;

        HacLoadItem() = default;
        HacLoadItem(const HacLoadItem &) = delete;
        HacLoadItem &operator=(const HacLoadItem &) = delete;
        // Releases a buffer the loader allocated; never touches the lock.
        virtual ~HacLoadItem();

        int GetState();
        void SetState(int s);
    };

    enum LoadState
    {
        lsNotFound = 2,
        lsLoading = 3,
        lsReadFailed = 4,
        lsDone = 5,
    };

  protected:
    Semaphore *semaphore = nullptr;        // created when the loader starts
    ObjectList<HacLoadItem> request_queue; // oldest first
    ObjectList<HacLoadItem> done_list;
    std::atomic<bool> stop_requested{false};

    // Serves one request; the loader thread's step 5-7.
    void Serve(HacLoadItem *item);

    // The range of a partial read of a file of file_size bytes: 0 and 0 become the
    // whole file; false when the range is negative or passes the file's end.
    static bool PartRange(uint32 file_size, int start, int &length);

  public:
    HAC();
    ~HAC() override;

    // The loader thread's body: waits for requests until Stop.
    bool Execute() override;

    // Creates the request semaphore and starts the loader thread (OpenHAC does it).
    [[nodiscard]] bool StartLoader(int priority = tpNormal);
    // Ends the loader thread and waits for it. Every concrete archive's destructor
    // calls it first; it may be called more than once.
    void Stop();

    // Hands a request to the loader thread (the archive takes ownership until it
    // comes back through TakeDone). False when no loader runs.
    bool QueueLoad(HacLoadItem *item);
    // Takes a served request out of the done list (null when it is not there yet).
    HacLoadItem *TakeDone(HacLoadItem *item);
    int GetQueueCount();
    int GetDoneCount();

    // Copies length bytes from offset start of a file; 0 and 0 mean the whole
    // file. False when the range passes the file's end.
    virtual bool ReadFilePart(void *file, int start, int length, void *dest) = 0;
    virtual bool FileExist(const u16char *path) = 0;
    // A new stream over the file, owned by the caller (null on failure); with
    // toMemory a MemStream holding the whole file.
    virtual Stream *LoadFileStream(const u16char *path, bool toMemory) = 0;
    // The whole file in a new[] block the caller releases with delete[].
    virtual bool LoadFile(const u16char *path, void **buffer, int *size) = 0;
    // Folder handle; null or empty path = the root.
    virtual void *FindFolder(const u16char *path) = 0;
    virtual int GetFileCount(void *folder) = 0;
    virtual bool GetFileByIndex(void *folder, int index, String &name, int &size) = 0;
    virtual void *FindFile(void *folder, const u16char *path, int *size = nullptr) = 0;
    virtual void *FindFileFromRoot(const u16char *path, int *size = nullptr) = 0;
    virtual bool FileExistInFolder(void *folder, const u16char *path) = 0;
    virtual Stream *LoadFileStreamInFolder(void *folder, const u16char *path, bool toMemory) = 0;
    virtual bool LoadFileInFolder(void *folder, const u16char *path, void **buffer, int *size) = 0;
};

// Mounts an archive: a null or empty path, or a folder, gives a folder mapping;
// otherwise the file must be a HAC-3 archive. Null on failure (logged). The
// caller owns the result; deleting it unmounts it.
HAC *OpenHAC(const u16char *path);
} // namespace hgl
