// Working through a pass's items (vertices or faces) in batches: progress
// and cancel are asked on the calling thread for each item of a batch, in
// order; then the batch is shaded on several threads, each with its own
// context; then its results are appended in item order. The results are
// the same whatever the number of threads.
#pragma once

#include <algorithm>
#include <atomic>
#include <exception>
#include <system_error>
#include <thread>
#include <vector>

#include "color_passes.h"

// One thread per core, at most 16.
int DefaultBatchThreads();

// work(worker, item) gives item's result using worker's context (0 is the
// calling thread). Answers 0 when progress asked to cancel (out then holds
// the results of the batches before), else 1. An exception on any thread
// ends the run and is raised again on the calling one.
template <typename Result, typename Work>
int RunInBatches(int count, int workers, PassProgress* progress, std::vector<Result>& out, Work&& work) {
  workers = std::max(1, workers);
  // About a thousand batches for a big mesh, so progress and cancel keep
  // pace with the work; never fewer items than keep every thread busy.
  const int batch = std::max(256 * workers, count / 1000 + 1);
  constexpr int kChunk = 64;
  std::vector<Result> results;
  for (int first = 0; first < count; first += batch) {
    int last = std::min(count, first + batch);
    if (progress != nullptr)
      for (int i = first; i < last; ++i)
        if (progress->progress(static_cast<float>(i) / static_cast<float>(count)) != 0) return 0;
    results.assign(static_cast<std::size_t>(last - first), Result());
    std::atomic<int> next{first};
    std::exception_ptr failure;
    std::atomic<bool> failed{false};
    auto run = [&](int worker) {
      try {
        for (int begin = next.fetch_add(kChunk); begin < last && !failed; begin = next.fetch_add(kChunk))
          for (int i = begin; i < std::min(last, begin + kChunk); ++i)
            results[static_cast<std::size_t>(i - first)] = work(worker, i);
      } catch (...) {
        if (!failed.exchange(true)) failure = std::current_exception();
      }
    };
    int helpers = std::min(workers - 1, (last - first - 1) / kChunk);
    std::vector<std::thread> threads;
    threads.reserve(static_cast<std::size_t>(helpers));
    try {
      for (int w = 1; w <= helpers; ++w) threads.emplace_back(run, w);
    } catch (const std::system_error&) {
      // No more threads to be had: those started and this one do the batch.
    }
    run(0);
    for (std::thread& thread : threads) thread.join();
    if (failure) std::rethrow_exception(failure);
    out.insert(out.end(), results.begin(), results.end());
  }
  return 1;
}
