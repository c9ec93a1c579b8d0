#include "platform/WorkerThreads.h"

#include <exception>
#include <system_error>

namespace quorvel {
namespace {

constexpr size_t kStackBytes = size_t(2) << 20;

void* Enter(void* run)
{
    try {
        (*static_cast<std::function<void()>*>(run))();
    } catch (...) {
        // As a thread of the standard library would.
        std::terminate();
    }
    return nullptr;
}

}  // namespace

void WorkerThreads::Start(std::function<void()> run)
{
    // Room first: once the thread runs, nothing may fail before it is kept for the join.
    threads_.reserve(threads_.size() + 1);
    runs_.push_back(std::make_unique<std::function<void()>>(std::move(run)));
    pthread_attr_t attributes;
    pthread_attr_init(&attributes);
    pthread_attr_setstacksize(&attributes, kStackBytes);
    pthread_t thread;
    const int error = pthread_create(&thread, &attributes, Enter, runs_.back().get());
    pthread_attr_destroy(&attributes);
    if (error != 0) {
        runs_.pop_back();
        throw std::system_error(error, std::generic_category(), "no thread could be started");
    }
    threads_.push_back(thread);
}

void WorkerThreads::Join()
{
    for (const pthread_t thread : threads_)
        pthread_join(thread, nullptr);
    threads_.clear();
    runs_.clear();
}

}  // namespace quorvel
