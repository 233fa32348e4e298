#pragma once
// The SHA-256 digest of bytes given piece by piece, computed on a thread of its own while
// the caller goes on reading: Add copies a piece and returns at once, unless the pieces
// still waiting already hold MaxWaiting bytes (so memory stays bounded when the caller is
// faster); Result waits for the last piece.
#include <condition_variable>
#include <cstddef>
#include <deque>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

class TBackgroundDigest {
 public:
  explicit TBackgroundDigest(size_t maxWaiting = size_t{4} << 20);
  ~TBackgroundDigest();
  TBackgroundDigest(const TBackgroundDigest&) = delete;
  TBackgroundDigest& operator=(const TBackgroundDigest&) = delete;

  void Add(std::string_view bytes);
  // Forgets every piece given so far.
  void Reset();
  // The 32 bytes of the digest of every piece given since the start, the last Reset or
  // the last Result (which starts the next digest).
  std::string Result();

 private:
  void Work();

  const size_t FMaxWaiting;
  std::mutex FMutex;
  std::condition_variable FChanged;
  std::deque<std::string> FWaiting;
  std::vector<std::string> FSpare;
  size_t FWaitingBytes = 0;
  // Counts the Reset calls, so the worker sees each.
  unsigned FResets = 0;
  bool FStop = false;
  std::string FDigest;
  bool FWantResult = false;
  std::thread FThread;
};
