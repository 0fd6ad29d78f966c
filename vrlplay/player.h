#pragma once
// CPlayer: the one player of a process. Start-up (the constructor) opens the voice database
// registry, loads the engine and starts the play thread; a failure there stays as the error
// code and leaves the player crippled. The play thread empties the request queue: it selects
// databases, applies ratios, plays phoneme text and command streams into an audio output and
// sends the notifications.

#include <windows.h>

#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <string>

#include "vrlplay/command_stream.h"
#include "vrlplay/database_registry.h"
#include "vrlplay/engine_binding.h"
#include "vrlplay/output_seam.h"
#include "vrlplay/request_queue.h"
#include "vrlplay/stack_error.h"
#include "win32/scoped_handle.h"

namespace mowik {

class CPlayer : private CommandHost {
 public:
  explicit CPlayer(HMODULE module);
  // Frees what start-up acquired; Shutdown must have ended the play thread first.
  ~CPlayer() override;
  CPlayer(const CPlayer&) = delete;
  CPlayer& operator=(const CPlayer&) = delete;

  // Ends the play thread: signals it, then waits for it to end while dispatching the calling
  // thread's messages. On the play thread itself it only signals.
  void Shutdown();

  // Error record: the code of start-up or of the latest request, and its message.
  int ErrorCode() const { return errorCode_.load(); }
  std::optional<std::string> ErrorMessage();
  // Records a refused argument, unless a start-up failure must stay on record.
  void RecordArgumentError(const CStackError& error);

  bool HasPlayThread() const { return static_cast<bool>(thread_); }
  bool OnPlayThread() const;
  bool EngineLoaded() const { return engine_.Loaded(); }
  const EngineApi& Engine() const { return engine_.Api(); }
  CDatabaseRegistry* Registry() { return registry_.get(); }

  void Append(std::unique_ptr<CRequest> request) { queue_.Append(std::move(request)); }
  size_t QueueCount() { return queue_.Count(); }
  // Waits until the queue is empty (or the play thread is gone), dispatching the calling
  // thread's messages without spinning; returns the error code. Returns at once without a
  // play thread or on the play thread itself.
  int WaitForEmpty();
  // A stop also wakes a paused play thread, which then ends the request.
  void RaiseStop() {
    ++stopRequests_;
    WakeFromPause();
  }
  void LowerStop() { --stopRequests_; }
  // A stop asked for from a notification on the play thread, which cannot wait for itself:
  // raised now, lowered by the play thread once the queue has emptied.
  void RaiseStopFromPlayThread() {
    ++stopRequests_;
    ++ownStops_;
  }

  // Pause: the play thread holds at its next block of samples until Resume or a stop. False
  // when nothing is queued (the pause is not taken).
  bool Pause();
  bool Resume();
  bool Paused() const { return paused_.load(); }
  void EndPause();

  float PitchRatio() const { return pitchRatio_.load(); }
  float DurationRatio() const { return durationRatio_.load(); }
  std::string DatabaseId();
  unsigned MessageBase() const { return messageBase_.load(); }
  void SetMessageBase(unsigned base) { messageBase_ = base; }

 private:
  static DWORD WINAPI ThreadMain(void* player);
  void PlayThread();
  void HandleRequest(CRequest& request);
  void HandlePlay(CRequest& request);
  void RunPlay(CRequest& request);
  void SelectDatabaseRequest(const std::string& id, int type, const char* first, const char* second);
  void PlayPhonemeText(const std::string& text, bool closeAtEnd);
  void OpenOutput();
  void WriteLine(const std::string& line);
  void FlushEngine();
  void Drain();
  CStackError OutputWriteFailed() const;  // VRL_ERR_OPEN_OUTPUT for a write the output refused
  intptr_t Notify(unsigned offset, intptr_t first, intptr_t second);
  void SetError(const CStackError& error);
  void ClearError();
  void SetDatabaseId(const std::string& id);
  bool QuitSignalled() const;
  void DispatchOwnMessages();
  bool PauseRequested() const { return paused_.load() && !StopRequested(); }
  // Sleeps (dispatching the thread's messages) until the pause ends or a stop or quit comes.
  void WaitWhilePaused();
  void WakeFromPause() {
    if (pauseChanged_) SetEvent(pauseChanged_.Get());
  }

  // What command streams act on.
  void CheckCancelled() override;
  bool StopRequested() const;  // a VRL_Stop waiting, or the quit signal
  void ChangeDirectory(const std::string& path) override;
  void SetVolume(float ratio) override;
  void ApplyRatio(RatioKind kind, float value) override;
  void SetVoiceFreq(int frequency) override;
  void SetNoError(int flag) override;
  void SelectDatabase(const std::string& id) override;
  std::string ReadFile(const std::string& name) override;
  void PlayPhonemes(const std::string& text, bool closeAtEnd) override;
  void DispatchMessages() override { DispatchOwnMessages(); }

  HMODULE module_;
  std::unique_ptr<CDatabaseRegistry> registry_;
  EngineBinding engine_;
  std::atomic<float> pitchRatio_{1.0f};
  std::atomic<float> durationRatio_{1.0f};
  std::mutex databaseIdLock_;
  std::string databaseId_;

  std::mutex errorLock_;
  std::atomic<int> errorCode_{0};
  std::optional<std::string> errorMessage_;
  std::atomic<unsigned> messageBase_{0x1FFF};

  // Events: quit (manual, set by Shutdown), queue empty (manual, set while the queue is
  // empty), work (auto, set when a request arrives: it wakes the idle thread, which waits
  // without a timeout), pause changed (below).
  win32::ScopedHandle quit_;
  win32::ScopedHandle emptyEvent_;
  win32::ScopedHandle workEvent_;
  win32::ScopedHandle pauseChanged_;  // auto; set by Resume, EndPause and every stop
  std::atomic<bool> paused_{false};
  RequestQueue queue_;
  win32::ScopedHandle thread_;
  DWORD threadId_ = 0;
  std::atomic<int> stopRequests_{0};
  std::atomic<int> ownStops_{0};  // of stopRequests_, those the play thread lowers itself
  std::atomic<bool> outputOpen_{false};
  std::atomic<bool> threadRunning_{false};

  // Play thread only.
  std::unique_ptr<PlayerOutput> output_;
  CRequest* current_ = nullptr;
  short samples_[kEngineBlockSamples] = {};
};

}  // namespace mowik
