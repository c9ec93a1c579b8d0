#pragma once

#include <algorithm>
#include <cstddef>
#include <exception>
#include <thread>
#include <vector>

// Cutting the work on a big list or list file into slices for worker threads. Code run from a slice
// touches no shared mutable state.
namespace quorvel {

// How many threads share a job that could be cut into at most Pieces slices.
inline size_t SliceCount(size_t pieces) {
    return std::min<size_t>({std::max(1u, std::thread::hardware_concurrency()), 8, pieces});
}

// Runs Work(t) for every slice t on a thread of its own; when slices fail, the failure of the
// first slice (the first in list or file order) is the one raised.
template <typename Work>
void RunSlices(size_t slices, Work work) {
    if (slices == 1) {
        work(0);
        return;
    }
    std::vector<std::exception_ptr> failures(slices);
    {
        std::vector<std::jthread> workers;
        for (size_t t = 0; t < slices; ++t) {
            workers.emplace_back([&, t] {
                try {
                    work(t);
                } catch (...) {
                    failures[t] = std::current_exception();
                }
            });
        }
    }
    for (const auto& failure : failures)
        if (failure) std::rethrow_exception(failure);
}

}  // namespace quorvel
