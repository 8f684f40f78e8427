#pragma once
// Best-effort scheduling priority of one thread.
namespace hgl::platform
{
// The calling thread's kernel id.
int CurrentThreadId();
// Sets a thread's nice value (-20..19). Raising needs privileges; failures are
// ignored and reported as false.
bool SetThreadNice(int thread_id, int nice);
} // namespace hgl::platform
