#pragma once

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <exception>
#include <memory>
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

// Tells the CPU that a thread is waiting in a loop.
inline void CpuRelax()
{
#if defined(__x86_64__) || defined(__i386__)
    __builtin_ia32_pause();
#elif defined(__aarch64__)
    asm volatile("yield");
#endif
}

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
// run than there are CPUs. While the piece it is to hand on is not ready, it makes the next one
// itself, but only while the other threads make pieces slower than it hands them on: otherwise each
// piece it makes holds back the handing on, which then sets the pace. The first failure in piece order
// (of Make or HandOn) stops the work and is raised. (Not named "emit": Qt defines that word away.)
//
// The threads meet through atomic counters and flags, never a lock: waking a thread through a
// condition variable could make the waking thread wait until the thread woken before had run, which
// took a scheduler's time slice (0.75 ms) several times in every report. Waking a thread costs the
// waker a system call (15 µs in a virtual machine); so the calling thread wakes a worker only when
// every worker sleeps and half the window is free, and a worker that finds more room than its piece
// wakes the next.
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
    // The flag lies on a cache line of its own: beside the text's length, which the thread making the
    // piece writes at every line, it made a save on two cores 6 % slower.
    struct alignas(64) Slot {
        std::string Text;
        std::exception_ptr Failure;
        alignas(64) std::atomic<uint32_t> Ready {0};
    };
    const size_t window = threads * 2;
    const std::unique_ptr<Slot[]> places(new Slot[window]);
    constexpr size_t kNone = ~size_t(0);
    // The next piece to claim; the pieces handed on (a piece's slot is free once the piece a window
    // before it is handed on); a count that moves whenever room is made or the work stops, for the
    // workers to wait on.
    alignas(64) std::atomic<size_t> next {0};
    alignas(64) std::atomic<size_t> handedOn {0};
    alignas(64) std::atomic<uint32_t> gate {0};
    std::atomic<bool> stop {false};
    std::atomic<size_t> sleeping {0};
    // Time spent making pieces, and how many; the calling thread's time handing them on.
    alignas(64) std::atomic<int64_t> makeNanoseconds {0};
    std::atomic<size_t> made {0};
    int64_t handOnNanoseconds = 0;
    using Clock = std::chrono::steady_clock;
    const auto claim = [&] {
        size_t piece = next.load(std::memory_order_relaxed);
        while (!stop.load(std::memory_order_relaxed) && piece < count &&
               piece < handedOn.load(std::memory_order_acquire) + window)
            if (next.compare_exchange_weak(piece, piece + 1, std::memory_order_relaxed))
                return piece;
        return kNone;
    };
    const auto makePiece = [&](size_t piece) {
        Slot& slot = places[piece % window];
        const auto start = Clock::now();
        try {
            slot.Text.clear();
            make(piece, slot.Text);
        } catch (...) {
            slot.Failure = std::current_exception();
        }
        makeNanoseconds += std::chrono::duration_cast<std::chrono::nanoseconds>(Clock::now() - start).count();
        ++made;
        slot.Ready.store(1, std::memory_order_release);
        slot.Ready.notify_one();
    };
    // Whether the calling thread, waiting for Piece, should make one: always when nobody took Piece
    // yet, never before anything was timed (a piece begun then held up the first piece, made by then,
    // by as long as it took), else while the workers together make fewer pieces in the time than it
    // hands on.
    const auto callerMakes = [&](size_t piece) {
        const size_t madeSoFar = made.load(std::memory_order_relaxed);
        const size_t handed = handedOn.load(std::memory_order_relaxed);
        if (next.load(std::memory_order_relaxed) == piece)
            return true;
        if (madeSoFar == 0 || handed == 0)
            return false;
        return makeNanoseconds.load(std::memory_order_relaxed) / static_cast<int64_t>(madeSoFar) >
               handOnNanoseconds / static_cast<int64_t>(handed) * static_cast<int64_t>(threads - 1);
    };
    // Slots free for pieces nobody took yet.
    const auto room = [&] { return handedOn.load() + window - next.load(); };
    const auto wakeOne = [&] {
        ++gate;
        gate.notify_one();
    };
    const auto halt = [&] {
        stop = true;
        ++gate;
        gate.notify_all();
    };
    std::exception_ptr failure;
    std::atomic<bool> handedAll {false};
    std::atomic<size_t> toFree {0};
    {
        WorkerThreads workers;
        const auto work = [&] {
            for (;;) {
                const uint32_t seen = gate.load(std::memory_order_acquire);
                if (const size_t piece = claim(); piece != kNone) {
                    if (sleeping.load() != 0 && room() != 0)
                        wakeOne();
                    makePiece(piece);
                    continue;
                }
                if (stop)
                    break;
                ++sleeping;
                gate.wait(seen, std::memory_order_acquire);
                --sleeping;
            }
            // Once every piece is handed on, no thread writes a slot any more: the texts are given back
            // here, side by side. On the calling thread, one after another, the allocator's trims of
            // the heaps they came from held up the end of a 100k report by 1.1-1.8 ms.
            if (handedAll.load(std::memory_order_acquire))
                for (size_t s; (s = toFree.fetch_add(1)) < window;)
                    std::string().swap(places[s].Text);
        };
        try {
            for (size_t t = 0; t + 1 < threads; ++t)
                workers.Start(work);
        } catch (...) {
            halt();
            throw;
        }
        for (size_t piece = 0; piece < count && !failure; ++piece) {
            Slot& slot = places[piece % window];
            while (!slot.Ready.load(std::memory_order_acquire)) {
                if (callerMakes(piece))
                    if (const size_t mine = claim(); mine != kNone) {
                        makePiece(mine);
                        continue;
                    }
                // A while on its own CPU before it sleeps: woken while the workers all run, it could
                // wait for a CPU for up to 3 ms.
                const auto until = Clock::now() + std::chrono::milliseconds(1);
                while (!slot.Ready.load(std::memory_order_acquire) && Clock::now() < until)
                    CpuRelax();
                slot.Ready.wait(0, std::memory_order_acquire);
            }
            const auto start = Clock::now();
            if (slot.Failure)
                failure = slot.Failure;
            else {
                try {
                    handOn(std::string_view(slot.Text));
                } catch (...) {
                    failure = std::current_exception();
                }
            }
            handOnNanoseconds += std::chrono::duration_cast<std::chrono::nanoseconds>(Clock::now() - start).count();
            slot.Ready.store(0, std::memory_order_relaxed);
            handedOn.store(piece + 1, std::memory_order_release);
            if (!failure && sleeping.load() == threads - 1 && room() >= threads && next.load() < count)
                wakeOne();
        }
        handedAll.store(!failure, std::memory_order_release);
        halt();
    }
    if (failure)
        std::rethrow_exception(failure);
}

}  // namespace quorvel
