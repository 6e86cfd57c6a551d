#include "log/decode_pass.h"

#include <atomic>
#include <condition_variable>
#include <deque>
#include <limits>
#include <memory>
#include <mutex>
#include <new>
#include <optional>
#include <system_error>
#include <thread>

#include "log/failure_place.h"
#include "log/line_blocks.h"
#include "log/line_class.h"
#include "log/record_decoder.h"

namespace tarvelin {
namespace {

struct DataLine {
  size_t offset;
  size_t length;
  int64_t number;
};

// One block's data lines: consecutive slots from firstSlot, decoded as a unit.
struct Batch {
  size_t index = 0;
  Block block;
  std::vector<DataLine> lines;
  int32_t firstSlot = 0;
  TextRun time, engine;
  WidebandTracker wideband;
  std::optional<Failure> failure;
  std::atomic<bool> done{false};  // set last: after it, only the joining thread touches it
};

class DecodeJob {
 public:
  DecodeJob(const LogFile& file, const DecodeSettings& settings, LogData& data,
            std::vector<std::string>& markLines)
      : file_(file),
        settings_(settings),
        data_(data),
        markLines_(markLines),
        decoder_(data),
        maxBlocks_(static_cast<size_t>(std::max(settings.threads, 1)) + 1),
        slotLimit_(static_cast<int64_t>(data.RecordCount) + LeadIn) {
    freeBlocks_.reserve(maxBlocks_);
  }

  void Run() {
    StartWorkers();
    try {
      Split();
    } catch (...) {
      Finish();
      throw;
    }
    Finish();
    Join();
  }

  ~DecodeJob() {
    Finish();
    Join();
  }

  // After the decoding: the first failure in the file, or the finished store.
  void Complete() {
    MergeReady();
    if (mergeFailure_) throw *mergeFailure_;
    if (splitFailure_) throw *splitFailure_;
    data_.O2Mode = wide_ ? 2 : 1;
    data_.MarkCount = marksFound_;
    data_.MarkTable.resize(static_cast<size_t>(marksFound_));
  }

 private:
  // Without any worker (one thread asked for, or none could start) the reading thread
  // decodes each batch itself.
  void StartWorkers() {
    for (int i = 0; settings_.threads > 1 && i < settings_.threads; ++i) {
      try {
        workers_.emplace_back([this] { WorkerLoop(); });
      } catch (const std::system_error&) {
        break;
      }
    }
  }

  // Reads the file and hands each block's data lines, with their slots, to the decoders.
  void Split() {
    LineBlocks blocks(file_, settings_.blockBytes);
    int64_t lineNumber = 0;
    int32_t nextSlot = LeadIn;
    int32_t markIndex = 0;
    for (;;) {
      if (failedBatch_.load() != kNone) return;
      auto batch = std::make_unique<Batch>();
      batch->block = AcquireBlock();
      try {
        if (!blocks.Next(batch->block)) {
          ReleaseBlock(std::move(batch->block));
          break;
        }
      } catch (Failure& failure) {
        splitFailure_ = Failure(failure.message(), LinePlace(file_.name(), lineNumber + 1));
        ReleaseBlock(std::move(batch->block));
        break;
      }
      batch->firstSlot = nextSlot;
      const char* base = batch->block.bytes.get();
      bool stop = false;
      ForEachLine(base, batch->block.size, [&](std::string_view line) {
        ++lineNumber;
        if (stop) return;
        switch (ClassifyLine(line)) {
          case LineClass::kMark:
            if (markIndex >= data_.MarkCount) {
              splitFailure_ = Failure(kRangeCheckError, LinePlace(file_.name(), lineNumber));
              stop = true;
              return;
            }
            data_.MarkTable[static_cast<size_t>(markIndex++)] = nextSlot - (LeadIn + 1);
            markLines_.emplace_back(line);
            return;
          case LineClass::kData:
            if (nextSlot >= slotLimit_) {
              splitFailure_ = Failure(kRangeCheckError, LinePlace(file_.name(), lineNumber));
              stop = true;
              return;
            }
            batch->lines.push_back(
                {static_cast<size_t>(line.data() - base), line.size(), lineNumber});
            ++nextSlot;
            return;
          default:
            return;
        }
      });
      Dispatch(std::move(batch));
      MergeReady();
      if (stop) break;
    }
    marksFound_ = markIndex;
  }

  void Dispatch(std::unique_ptr<Batch> batch) {
    batch->index = batches_.size();
    Batch* raw = batch.get();
    batches_.push_back(std::move(batch));
    if (workers_.empty()) {
      Decode(*raw);
      return;
    }
    std::lock_guard lock(mutex_);
    queue_.push_back(raw);
    wake_.notify_one();
  }

  void Decode(Batch& batch) {
    if (batch.index <= failedBatch_.load()) {
      const char* base = batch.block.bytes.get();
      int32_t slot = batch.firstSlot;
      batch.time.bytes.reserve(batch.lines.size() * 10);
      batch.engine.bytes.reserve(batch.lines.size() * 3);
      batch.time.lengths.reserve(batch.lines.size());
      batch.engine.lengths.reserve(batch.lines.size());
      for (const DataLine& line : batch.lines) {
        try {
          decoder_.Decode(std::string_view(base + line.offset, line.length), slot, line.number,
                          batch.time, batch.engine, batch.wideband);
        } catch (const Failure& failure) {
          Fail(batch, failure.message(), line.number, failure.place());
          break;
        } catch (const std::bad_alloc&) {
          Fail(batch, kOutOfMemory, line.number, {});
          break;
        } catch (const std::exception& error) {  // nothing may escape a worker thread
          Fail(batch, error.what(), line.number, {});
          break;
        }
        ++slot;
      }
    }
    // The texts stay as the channel's chunks: no slack kept.
    batch.time.bytes.shrink_to_fit();
    batch.engine.bytes.shrink_to_fit();
    batch.lines = {};
    ReleaseBlock(std::move(batch.block));
    batch.done.store(true, std::memory_order_release);
  }

  void Fail(Batch& batch, const std::string& message, int64_t lineNumber,
            const std::string& field) {
    std::string place = LinePlace(file_.name(), lineNumber);
    if (!field.empty()) place += ", " + field;
    batch.failure = Failure(message, std::move(place));
    size_t seen = failedBatch_.load();
    while (batch.index < seen && !failedBatch_.compare_exchange_weak(seen, batch.index)) {
    }
  }

  void WorkerLoop() {
    for (;;) {
      Batch* batch;
      {
        std::unique_lock lock(mutex_);
        wake_.wait(lock, [&] { return closed_ || !queue_.empty(); });
        if (queue_.empty()) return;
        batch = queue_.front();
        queue_.pop_front();
      }
      Decode(*batch);
    }
  }

  Block AcquireBlock() {
    std::unique_lock lock(mutex_);
    blockFreed_.wait(lock, [&] { return !freeBlocks_.empty() || blocksMade_ < maxBlocks_; });
    if (!freeBlocks_.empty()) {
      Block block = std::move(freeBlocks_.back());
      freeBlocks_.pop_back();
      return block;
    }
    ++blocksMade_;
    return Block{};
  }

  void ReleaseBlock(Block block) {
    std::lock_guard lock(mutex_);
    freeBlocks_.push_back(std::move(block));
    blockFreed_.notify_one();
  }

  void Finish() {
    std::lock_guard lock(mutex_);
    closed_ = true;
    wake_.notify_all();
  }

  void Join() {
    for (std::thread& worker : workers_) worker.join();
    workers_.clear();
  }

  // Joins the decoded batches at the front, in file order, and lets them go: the wideband
  // mode carried from one to the next, the first failure, and the texts of the channels.
  void MergeReady() {
    while (!mergeFailure_ && merged_ < batches_.size()) {
      Batch& batch = *batches_[merged_];
      if (!batch.done.load(std::memory_order_acquire)) return;
      MergeBatch(batch);
      batches_[merged_++].reset();
    }
  }

  void MergeBatch(Batch& batch) {
    const WidebandTracker& tracker = batch.wideband;
    if (wide_ && tracker.overflowSlot() >= 0) {
      Stop(Failure(kFloatingPointOverflow,
                   LinePlace(file_.name(), tracker.overflowLine()) + ", " + FieldPlace(5, "AFR")),
           batch.index);
      return;
    }
    if (batch.failure) {
      Stop(*batch.failure, batch.index);
      return;
    }
    const int32_t end = batch.firstSlot + static_cast<int32_t>(batch.time.lengths.size());
    if (wide_) {
      // Records before the run's own switch still follow an earlier run's switch.
      const double* o2 = data_.O2.data();
      double* afr = data_.AFR.data();
      const int32_t switched = tracker.switchSlot() >= 0 ? tracker.switchSlot() : end;
      for (int32_t s = batch.firstSlot; s < switched; ++s) afr[s] = WidebandAfr(o2[s]);
    }
    wide_ = wide_ || tracker.wide();
    data_.TIME.AppendRun(batch.firstSlot, batch.time.lengths, std::move(batch.time.bytes));
    data_.ENGINE.AppendRun(batch.firstSlot, batch.engine.lengths, std::move(batch.engine.bytes));
  }

  void Stop(const Failure& failure, size_t batchIndex) {
    mergeFailure_ = failure;
    size_t seen = failedBatch_.load();
    while (batchIndex < seen && !failedBatch_.compare_exchange_weak(seen, batchIndex)) {
    }
  }

  static constexpr size_t kNone = std::numeric_limits<size_t>::max();

  const LogFile& file_;
  const DecodeSettings& settings_;
  LogData& data_;
  std::vector<std::string>& markLines_;
  RecordDecoder decoder_;
  const size_t maxBlocks_;
  const int64_t slotLimit_;

  std::vector<std::unique_ptr<Batch>> batches_;
  std::optional<Failure> splitFailure_;
  std::optional<Failure> mergeFailure_;
  size_t merged_ = 0;
  bool wide_ = false;
  int32_t marksFound_ = 0;
  std::atomic<size_t> failedBatch_{kNone};

  std::mutex mutex_;
  std::condition_variable wake_, blockFreed_;
  std::deque<Batch*> queue_;
  bool closed_ = false;
  std::vector<Block> freeBlocks_;
  size_t blocksMade_ = 0;
  std::vector<std::thread> workers_;
};

}  // namespace

void DecodePass(const LogFile& file, const DecodeSettings& settings, LogData& data,
                std::vector<std::string>& markLines) {
  DecodeJob job(file, settings, data, markLines);
  job.Run();
  job.Complete();
}

}  // namespace tarvelin
