#pragma once

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <cstdlib>
#include <exception>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Cpus.h"
#include "platform/WorkerThreads.h"

#if defined(__GLIBC__)
#include <malloc.h>
#endif

// Cutting the work on a big list or list file into slices for worker threads. Code run from a slice
// touches no shared mutable state.
namespace quorvel {

// The most threads a job may use (benchmarks lower it to compare thread counts).
inline std::atomic<size_t> MaxSliceThreads {8};

// How many threads share a job that could be cut into at most Pieces slices: no more than the CPUs
// the process may run on (pinned to two, eight threads would only take turns).
inline size_t SliceCount(size_t pieces)
{
    return std::max<size_t>(1, std::min<size_t>({UsableCpuCount(), MaxSliceThreads.load(), pieces}));
}

// An object that one thread keeps writing to while its neighbours in a vector belong to other threads:
// on cache lines of its own, or the threads would take the shared lines from each other at every write.
template <typename T> struct alignas(64) PerThread {
    T Value;
};

// Called once at the start of the process. The allocator gives each block over 128 KiB a mapping of
// its own until it sees such a block given back; from then on it serves blocks up to that size from
// its heaps, and it raises that size by itself as bigger blocks come back. Threads that sort a list or
// make a report side by side take and give back many blocks of a few hundred KiB, and every mapping
// given back stops all the process's threads to flush their address caches: in a fresh process the
// slices of a sort took three times as long. A block of 1 MiB given back at the start puts the
// allocator where its first sort would, without fixing its thresholds.
inline void SetUpAllocator()
{
#if defined(__GLIBC__)
    // Through a volatile, or the compiler drops the pair.
    void* volatile block = std::malloc(size_t(1) << 20);
    std::free(block);
#endif
}

// While it lives, the allocator grows its heaps in big steps: threads that make many items at once
// otherwise spend much of their time growing their heaps a page at a time, one after the other.
// The default comes back after, so that a closed list's memory is returned as before.
class AllocatorGrowth {
public:
    AllocatorGrowth()
    {
#if defined(__GLIBC__)
        mallopt(M_TOP_PAD, 64 << 20);
#endif
    }
    ~AllocatorGrowth()
    {
#if defined(__GLIBC__)
        mallopt(M_TOP_PAD, 128 << 10);
#endif
    }
    AllocatorGrowth(const AllocatorGrowth&) = delete;
    AllocatorGrowth& operator=(const AllocatorGrowth&) = delete;
};

// Runs Work(t) for every slice t on a thread of its own; when slices fail, the failure of the
// first slice (the first in list or file order) is the one raised.
template <typename Work> void RunSlices(size_t slices, Work work)
{
    if (slices == 1) {
        work(0);
        return;
    }
    std::vector<std::exception_ptr> failures(slices);
    {
        WorkerThreads workers;
        for (size_t t = 0; t < slices; ++t) {
            workers.Start([&, t] {
                try {
                    work(t);
                } catch (...) {
                    failures[t] = std::current_exception();
                }
            });
        }
    }
    for (const auto& failure : failures)
        if (failure)
            std::rethrow_exception(failure);
}

// Runs Work(chunk, thread) for chunks 0 .. Count - 1 on Threads threads, each thread taking the next
// chunk from a shared counter: with many small chunks no thread waits long for a slow one. Chunks
// after a failed one are skipped, and the failure of the first failed chunk (in list or file order)
// is the one raised.
template <typename Work> void RunChunks(size_t count, size_t threads, Work work)
{
    std::vector<std::exception_ptr> failures(count);
    std::atomic<size_t> next {0};
    std::atomic<size_t> firstFailed {count};
    RunSlices(std::max<size_t>(1, std::min(threads, count)), [&](size_t t) {
        for (size_t chunk; (chunk = next.fetch_add(1)) < count;) {
            if (chunk > firstFailed.load())
                continue;
            try {
                work(chunk, t);
            } catch (...) {
                failures[chunk] = std::current_exception();
                for (size_t seen = firstFailed.load(); chunk < seen && !firstFailed.compare_exchange_weak(seen, chunk);)
                    ;
            }
        }
    });
    for (const auto& failure : failures)
        if (failure)
            std::rethrow_exception(failure);
}

// Makes the texts of pieces 0 .. Count - 1 with Make(piece, out) on Threads threads, at most a few
// pieces ahead of the one handed on, and hands them to HandOn(text) in order on the calling thread:
// a long text is never held whole. The calling thread is one of the Threads, so that no more threads
// run than there are CPUs and the one handing on is never pushed aside. While the piece it is to hand
// on is not ready, it makes the next one itself, but only while the other threads make pieces slower
// than it hands them on: otherwise each piece it makes holds back the handing on, which then sets the
// pace. The first failure in piece order (of Make or HandOn) stops the work and is raised. (Not named
// "emit": Qt defines that word away.)
template <typename Make, typename Emit> void MakeInOrder(size_t count, size_t threads, Make make, Emit handOn)
{
    if (threads <= 1) {
        std::string out;
        for (size_t piece = 0; piece < count; ++piece) {
            out.clear();
            make(piece, out);
            handOn(std::string_view(out));
        }
        return;
    }
    const size_t window = threads * 2;
    std::vector<PerThread<std::string>> buffers(window);
    std::vector<std::exception_ptr> failures(window);
    std::vector<char> ready(window, 0);
    std::mutex mutex;
    // Workers wait for room in the window, the calling thread for a made piece. Each piece handed on
    // makes room for one, so one worker is woken for it; the workers never wake each other.
    std::condition_variable room, madeOne;
    size_t next = 0, emitted = 0;
    bool stop = false;
    std::exception_ptr failure;
    using Clock = std::chrono::steady_clock;
    // Time spent making pieces and handing them on, and how many, under the lock.
    Clock::duration makeTime {}, handOnTime {};
    size_t made = 0;
    // Makes the piece claimed from the shared counter; called and returning with the lock held.
    const auto makeClaimed = [&](std::unique_lock<std::mutex>& lock, size_t piece) {
        lock.unlock();
        const size_t slot = piece % window;
        const auto start = Clock::now();
        try {
            buffers[slot].Value.clear();
            make(piece, buffers[slot].Value);
        } catch (...) {
            failures[slot] = std::current_exception();
        }
        const auto took = Clock::now() - start;
        lock.lock();
        makeTime += took;
        ++made;
        ready[slot] = 1;
    };
    const auto canClaim = [&] { return !stop && next < count && next < emitted + window; };
    // Whether the calling thread, waiting for Piece, should make one: always when nobody took Piece
    // yet or before anything was timed, else while the workers together make fewer pieces in the time
    // than it hands on.
    const auto callerMakes = [&](size_t piece) {
        if (next == piece || made == 0 || emitted == 0)
            return true;
        return makeTime / made > handOnTime / emitted * static_cast<long>(threads - 1);
    };
    {
        WorkerThreads workers;
        const auto work = [&] {
            std::unique_lock lock(mutex);
            for (;;) {
                room.wait(lock, [&] { return stop || next >= count || next < emitted + window; });
                if (!canClaim())
                    return;
                makeClaimed(lock, next++);
                madeOne.notify_one();
            }
        };
        const auto halt = [&] {
            {
                std::lock_guard lock(mutex);
                stop = true;
            }
            room.notify_all();
        };
        try {
            for (size_t t = 0; t + 1 < threads; ++t)
                workers.Start(work);
        } catch (...) {
            halt();
            throw;
        }
        for (size_t piece = 0; piece < count && !failure; ++piece) {
            const size_t slot = piece % window;
            {
                std::unique_lock lock(mutex);
                while (!ready[slot]) {
                    if (canClaim() && callerMakes(piece))
                        makeClaimed(lock, next++);
                    else
                        madeOne.wait(lock);
                }
            }
            const auto start = Clock::now();
            if (failures[slot])
                failure = failures[slot];
            else {
                try {
                    handOn(std::string_view(buffers[slot].Value));
                } catch (...) {
                    failure = std::current_exception();
                }
            }
            const auto took = Clock::now() - start;
            {
                std::lock_guard lock(mutex);
                handOnTime += took;
                ready[slot] = 0;
                ++emitted;
                stop = failure != nullptr;
            }
            room.notify_one();
        }
        halt();
    }
    if (failure)
        std::rethrow_exception(failure);
}

}  // namespace quorvel
