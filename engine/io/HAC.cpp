#include "io/HAC.h"

#include <mutex>

namespace hgl
{
HAC::HacLoadItem::~HacLoadItem()
{
    if (!caller_buffer) delete[] static_cast<uint8 *>(buffer);
}

int HAC::HacLoadItem::GetState()
{
    std::lock_guard<ThreadMutex> guard(lock);
    return state;
}

void HAC::HacLoadItem::SetState(int s)
{
    std::lock_guard<ThreadMutex> guard(lock);
    state = s;
}

HAC::HAC() = default;

HAC::~HAC()
{
    Stop();
    request_queue.Clear();
    done_list.Clear();
    delete semaphore;
}

bool HAC::StartLoader(int priority)
{
    if (semaphore) return false;
    semaphore = new Semaphore(0, 1024);
    return Start(ThreadPriority(priority));
}

void HAC::Stop()
{
    if (stop_requested.exchange(true)) return;
    // Wake the loader at once rather than at its next time-out, then join it.
    if (semaphore) semaphore->Release(1);
    Close();
}

bool HAC::QueueLoad(HacLoadItem *item)
{
    if (!item || !semaphore || stop_requested) return false;
    {
        std::lock_guard<ThreadMutex> guard(*this);
        request_queue.Add(item);
    }
    semaphore->Release(1);
    return true;
}

HAC::HacLoadItem *HAC::TakeDone(HacLoadItem *item)
{
    std::lock_guard<ThreadMutex> guard(*this);
    const int index = done_list.Find(item);
    if (index >= 0) done_list.Unlink(index);
    return index >= 0 ? item : nullptr;
}

int HAC::GetQueueCount()
{
    std::lock_guard<ThreadMutex> guard(*this);
    return request_queue.GetCount();
}

int HAC::GetDoneCount()
{
    std::lock_guard<ThreadMutex> guard(*this);
    return done_list.GetCount();
}

bool HAC::PartRange(uint32 file_size, int start, int &length)
{
    if (start == 0 && length == 0) length = int(file_size);
    return start >= 0 && length >= 0 && int64(start) + int64(length) <= int64(file_size);
}

void HAC::Serve(HacLoadItem *item)
{
    int64 size = -1; // known when the loader looked the file up itself
    if (!item->file)
    {
        int found = 0;
        item->file = FindFile(item->folder, item->name.c_str(), &found);
        size = found;
        if (item->start == 0 && item->length == 0) item->length = found;
    }
    else if (item->start == 0 && item->length == 0 && !item->caller_buffer)
    {
        // A whole-file request for an entry the requester found itself: the block
        // must be the file's size, which only a look-up by name can tell.
        int found = 0;
        if (FindFile(item->folder, item->name.c_str(), &found) == item->file)
        {
            size = found;
            item->length = found;
        }
        else
        {
            item->SetState(lsLoading);
            item->SetState(lsReadFailed);
            return;
        }
    }
    if (!item->file)
    {
        item->SetState(lsNotFound);
        return;
    }
    item->SetState(lsLoading);
    // A range the file cannot hold fails before any block is made for it.
    if (item->start < 0 || item->length < 0 || (size >= 0 && int64(item->start) + item->length > size))
    {
        item->SetState(lsReadFailed);
        return;
    }
    bool allocated = false;
    if (!item->caller_buffer)
    {
        item->buffer = item->length > 0 ? new uint8[item->length] : new uint8[1];
        allocated = true;
    }
    if (ReadFilePart(item->file, item->start, item->length, item->buffer))
    {
        item->SetState(lsDone);
        return;
    }
    if (allocated)
    {
        delete[] static_cast<uint8 *>(item->buffer);
        item->buffer = nullptr;
    }
    item->SetState(lsReadFailed);
}

bool HAC::Execute()
{
    while (!stop_requested)
    {
        if (!semaphore->Acquire(1.0))
        {
            Thread::Sleep(1);
            continue;
        }
        if (stop_requested) break;
        HacLoadItem *item = nullptr;
        {
            std::lock_guard<ThreadMutex> guard(*this);
            item = request_queue.GetCount() > 0 ? request_queue[0] : nullptr;
        }
        if (!item) continue;
        Serve(item);
        std::lock_guard<ThreadMutex> guard(*this);
        request_queue.Unlink(0);
        done_list.Add(item);
    }
    return true;
}
} // namespace hgl
